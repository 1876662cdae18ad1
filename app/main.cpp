// The EEPROM Editor's entry point: the one application object runs, and its end is the
// process's end. The tool reads no command line of its own (Qt takes its own options).

#include "app/morlind_app.h"

namespace {
app::CMorlindApp theApp;
}

int main(int argc, char** argv) {
    return theApp.Run(argc, argv);
}
