#pragma once
// Where "Salvar projeto" proposes to keep a project: beside the last project saved, else in a
// "Projetos" folder among the user's pictures, so projects are not mixed with the photos.

#include <filesystem>
#include <string>

namespace lv::app {

inline constexpr char kProjectsFolderName[] = "Projetos";

// The folder of the last project while it still exists, else `pictures`/Projetos, made on
// first use; `pictures` itself when that folder can't be made.
std::filesystem::path ProjectFolderToPropose(const std::string& lastProjectFolder,
                                             const std::filesystem::path& pictures);

// The pictures folder `xdg-user-dir PICTURES` names, else the home folder.
std::filesystem::path UserPicturesFolder();

}  // namespace lv::app
