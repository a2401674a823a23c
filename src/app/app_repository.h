// AppRepository: what the repository's items and lists reach of their
// parser — its path expander and its other lists (a label's rename asks
// the groups whether it is referenced; a reference asks the labels whether
// its label exists). The parser implements it; each list holds it beside
// its owner site and answers it only while that site is there.
#ifndef XMLSECDB_APP_APP_REPOSITORY_H_
#define XMLSECDB_APP_APP_REPOSITORY_H_

namespace xmlsecdb {

struct IPathExpander;
class CLabelList;
class CAppGroupList;
class CDllLabelList;
class CDllGroupList;

class AppRepository {
 public:
  // The parser's path expander, or nullptr when it could not be created.
  virtual IPathExpander* path_expander() const = 0;
  virtual CLabelList* labels() const = 0;
  virtual CAppGroupList* groups() const = 0;
  virtual CDllLabelList* dll_labels() const = 0;
  virtual CDllGroupList* dll_groups() const = 0;

 protected:
  ~AppRepository() = default;
};

// The repository a list holds; items find it through their lists
// (RepositoryOf in app_group.h).
class RepositoryLink {
 public:
  virtual ~RepositoryLink() = default;
  AppRepository* repository_link() const { return repository_; }

 protected:
  explicit RepositoryLink(AppRepository* repository) : repository_(repository) {}

 private:
  AppRepository* repository_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_REPOSITORY_H_
