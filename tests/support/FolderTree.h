#pragma once
// A folder's files and symbolic links as one comparable value, for tests that check that a write
// changed exactly what it should: every entry below the folder by relative path, a link as
// "link -> <its target>", a file as "<mode in octal> <its bytes>" ("0644 old records"), a FIFO as
// "fifo" and a character device as "char <major>,<minor>" (made by root only).

#include <QString>

#include <map>
#include <string>

namespace kiv::test {

using FolderTree = std::map<std::string, std::string>;

FolderTree folderTree(const QString& folder);
// Makes the entries of the tree below the folder, with the folders their paths need; false when
// one cannot be made.
bool makeFolderTree(const QString& folder, const FolderTree& tree);

} // namespace kiv::test
