#include "platform/install.h"
#include "ui/program_entry.h"

int main(int argc, char** argv) {
    platform::InstallSystemFileSystem(argv[0]);
    return ui::ProgramEntry(argc, argv);
}
