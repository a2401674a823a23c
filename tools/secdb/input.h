// Where the tool's databases and keys come from: files, pipes, standard
// input and the environment.
#ifndef XMLSECDB_TOOLS_SECDB_INPUT_H_
#define XMLSECDB_TOOLS_SECDB_INPUT_H_

#include <string>

namespace secdb {

// One database to read. A regular file is left to the library, which
// streams it; standard input ("-") and other files that are no regular
// files (pipes, devices) are read whole first, since they can be read only
// once and the kind probe must not consume them.
struct Input {
  std::string name;  // for messages: the path, or "<stdin>"
  std::string path;  // the path given ("-" for standard input)
  bool in_memory = false;
  std::string bytes;  // the content, when in_memory
};

// Prepares `path`; false with the system's reason in *error when a stream
// cannot be read.
bool OpenInput(const std::string& path, Input* input, std::string* error);

// Why a regular file cannot be read ("No such file or directory", "Is a
// directory", "Permission denied"), or "" when it can.
std::string FileProblem(const std::string& path);

// A key given as text, in a file (its first line, surrounding blanks
// dropped) or in an environment variable. 0 when read, 1 with a message
// when the file cannot be read, 2 when the text is not BinaryHex (an even
// number of hexadecimal digits). *key stays empty when no source gives one.
int ReadKey(const char* option, const std::string* text, const std::string* file,
            const char* variable, std::string* key, std::string* error);

// Checks and flushes standard output; false with the system's reason.
bool FlushOutput(std::string* error);

}  // namespace secdb

#endif  // XMLSECDB_TOOLS_SECDB_INPUT_H_
