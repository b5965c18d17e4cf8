// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "window/native_file.h"

#include <cerrno>
#include <random>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

namespace fs = std::filesystem;

namespace tarquel::native {

namespace {

std::string replaceReason()
{
    wchar_t* text = nullptr;
    const DWORD error = GetLastError();
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring wide = text ? text : L"";
    LocalFree(text);
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L'.'))
        wide.pop_back();
    const auto utf8 = fs::path(wide).u8string();
    return {utf8.begin(), utf8.end()};
}

} // namespace

int openStraight(const fs::path& path, bool /*append*/)
{
    return _wopen(path.c_str(), _O_WRONLY | _O_BINARY);
}

int openBeside(const fs::path& folder, fs::path& temporary)
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder / (L".tarquel-" + std::to_wstring(random() % 1000000000u));
        const int fd = _wopen(temporary.c_str(), _O_WRONLY | _O_BINARY | _O_CREAT | _O_EXCL,
                              _S_IREAD | _S_IWRITE);
        if (fd != -1 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const unsigned chunk =
            bytes.size() > (1u << 30) ? (1u << 30) : static_cast<unsigned>(bytes.size());
        const int written = _write(fd, bytes.data(), chunk);
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A file's permissions follow its folder's access rules on Windows: there
// is nothing of the old file's to carry over.
bool takeOver(int /*fd*/, const fs::path& /*target*/) { return true; }

bool syncToDisk(int fd) { return _commit(fd) == 0; }

bool replace(const fs::path& temporary, const fs::path& target, std::string& reason)
{
    if (MoveFileExW(temporary.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    reason = replaceReason();
    return false;
}

bool closeFile(int fd) { return _close(fd) == 0; }

} // namespace tarquel::native
