#pragma once
// The options that only inform, answered on the terminal before any window or display is needed:
// "--version" (with the data folder, so that an installation can be checked) and "--help".

#include <optional>

namespace t3ui {

// The exit status when the command line asks for one of these options, else nothing: the workbench opens.
// "--version" fails (status 1, message on the error output) when the data are missing.
std::optional<int> RepondOptionsInformation(int argc, char** argv);

} // namespace t3ui
