// The IDE's toolchain folders as they are on disk now; looked at only when the menu opens.
#pragma once

#include "session.h"
#include "wide_string.h"

// The compiler keys as stored, whole, and the folders where the toolchains lie, each with the
// compilers it holds.
ToolchainsListed ListToolchains(const DynamicWideString& iniPath);
