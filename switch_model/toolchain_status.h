// The status bar text cut out of the IDE's compiler path.
#pragma once

#include <string>
#include <string_view>

std::string ToolchainStatusText(std::string_view compilerPath);
