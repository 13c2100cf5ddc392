#include "CommandLine.h"

#include "KeylarkVersion.h"

#include <cstdio>
#include <string_view>

namespace {

constexpr char kUsage[] =
    "usage: keylark [--help] [--version] [Qt options]\n"
    "Opens the KEYLARK window for practising the reception of Morse code by ear:\n"
    "call signs of contest stations and plain text, in international Morse and\n"
    "Japanese kana (Wabun) code. Qt's standard options such as -platform NAME are\n"
    "accepted.\n"
    "  -h, --help     show this help and exit\n"
    "  --version      show the version and exit\n";

} // namespace

std::optional<int> answerCommandLine(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (argument == "--version") {
            std::printf("keylark %s\n", keylarkVersion);
            return 0;
        }
    }
    return std::nullopt;
}
