// Thin wrappers over the platform's open and save dialogs.
#include "ui/dialogs/file_dialogs.h"

#include "platform/files.h"

namespace pantrium {

namespace {

constexpr int kOpenBufferSize = 8192;  // room for a long path
constexpr int kSaveBufferSize = 260;

std::string CutAtNul(const std::string& text) { return text.substr(0, text.find('\0')); }

using PlatformDialog = bool (*)(plat::FileDialogRequest&);

int RunFileDialog(PlatformDialog show, int bufferSize, int filterIndex, plat::Window owner,
                  const std::string& title, std::string& fileName, const std::string& initialDir,
                  const std::string& filter, const std::string& defExt, std::uint32_t& flags) {
    plat::FileDialogRequest request;
    request.owner = owner;
    request.title = title;
    request.filter = ConvertFilter(filter);
    request.filterIndex = filterIndex;
    // The platform's buffer holds characters.
    request.fileName = files::FirstCharacters(CutAtNul(fileName), static_cast<std::size_t>(bufferSize));
    request.bufferSize = bufferSize;
    request.initialDir = initialDir;
    if (request.initialDir.empty()) request.initialDir = files::CurrentDirectory();
    request.defExt = defExt.starts_with('.') ? defExt.substr(1) : defExt;
    request.flags = flags;

    const bool confirmed = show(request);
    fileName = CutAtNul(request.fileName);
    flags = request.flags;
    return confirmed ? 1 : 0;
}

}  // namespace

std::string ConvertFilter(const std::string& filter) {
    std::string list = filter;
    for (char& c : list)
        if (c == '|') c = '\0';
    // The string itself carries both NULs that end the list.
    list.push_back('\0');
    list.push_back('\0');
    return list;
}

int OpenFileDialog(plat::Window owner, const std::string& title, std::string& fileName,
                   const std::string& initialDir, const std::string& filter,
                   const std::string& defExt, std::uint32_t& flags) {
    return RunFileDialog(plat::GetOpenFileName, kOpenBufferSize, 1, owner, title, fileName,
                         initialDir, filter, defExt, flags);
}

int SaveFileDialog(plat::Window owner, const std::string& title, std::string& fileName,
                   const std::string& initialDir, const std::string& filter,
                   const std::string& defExt, std::uint32_t& flags) {
    return RunFileDialog(plat::GetSaveFileName, kSaveBufferSize, 3, owner, title, fileName,
                         initialDir, filter, defExt, flags);
}

}  // namespace pantrium
