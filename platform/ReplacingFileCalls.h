#pragma once
// What replacing a file asks of the operating system, one implementation per system
// (ReplacingFilePosix.cpp, ReplacingFileWin32.cpp). Only ReplacingFile.cpp uses it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::platform::replacing {

inline constexpr std::intptr_t kNoFile = -1;
inline constexpr std::string_view kTemporarySuffix = ".tmp";

enum class Created { Yes, NameTaken, Failed };

// Where the file name in a path starts.
std::size_t nameStart(const std::string& path);
// ".NAME." with NAME cut to leave room for the rest within the usual 255-byte limit.
std::string temporaryPrefixFor(const std::string& target);

// The path the data finally goes to when the target may be replaced; nullopt when not.
std::optional<std::string> replaceableTarget(const std::string& targetPath);
// Whether the target's folder can take the temporary file, as far as can be told before.
bool folderAccepts(const std::string& target);
void removeStaleTemporaries(const std::string& target);
// Creates the temporary file only when no file of that name exists.
Created createTemporary(const std::string& temporary, const std::string& target, std::intptr_t& file);
bool writeAll(std::intptr_t file, std::string_view bytes);
bool flushToDisk(std::intptr_t file);
bool closeFile(std::intptr_t file);
// Renames the temporary file over the target, on the disk when this returns.
bool moveOver(const std::string& temporary, const std::string& target);
void removeFile(const std::string& path);
unsigned long currentProcessId();

} // namespace velmora::platform::replacing
