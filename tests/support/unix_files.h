#pragma once
// What another Linux program does to files under a Wine program's feet:
// symbolic links (which Wine follows everywhere, even in DeleteFileW), and
// a rename or delete that share modes do not stop. The calls go straight
// to the Linux kernel, so they happen at once and whatever the tool holds
// open. Each returns false outside Wine or when the call fails.
#include <string>
#include <vector>

namespace tarnwick::test {

// The Unix name of a Windows path under Wine; empty outside Wine.
std::string UnixName(const std::wstring& windowsPath);

// A symbolic link at `link` to `target`: a Windows path, or a relative
// path ("..\\..\\meteor.exe") that is kept relative to the link's folder.
bool MakeSymbolicLink(const std::wstring& link, const std::wstring& target);

// Moves `from` over `to` as Linux's rename(2) does, also while the tool
// holds either open.
bool UnixRename(const std::wstring& from, const std::wstring& to);
bool UnixDelete(const std::wstring& path);

// What the symbolic link at `path` points to, as stored (a Unix path);
// empty when `path` is no symbolic link.
std::string LinkTarget(const std::wstring& path);

// The names in a folder as Linux lists them (without "." and ".."), also
// links that lead nowhere, which Windows' listing leaves out.
std::vector<std::string> FolderNames(const std::wstring& folder);

}  // namespace tarnwick::test
