// Shows one box the way the program does, for screenshots:
//   message_box_demo [points] [plain]   ("plain": the mutex box's style, without icon)
#include <cstdlib>
#include <cstring>

#include "show_message.h"

int main(int argc, char** argv) {
    const bool plain = argc > 2 && std::strcmp(argv[2], "plain") == 0;
    MessageRequest request;
    request.text =
        plain ? L"Marlwick is already running." : L"'CompilerSwitches' in WinFBE.ini is empty.";
    request.style = plain ? kStylePlain : kStyleWarning;
    request.fontSize = argc > 1 ? std::atoi(argv[1]) : 10;
    ShowMessage(request);
    return 0;
}
