// XMLSECDB_EXPORT marks the functions the shared library exports: the
// library is built with hidden visibility, so nothing else leaves it.
#ifndef XMLSECDB_EXPORT_H_
#define XMLSECDB_EXPORT_H_

#define XMLSECDB_EXPORT __attribute__((visibility("default")))

#endif  // XMLSECDB_EXPORT_H_
