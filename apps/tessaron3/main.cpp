// tessaron3: the workbench.
#include "ui/shell/Application.h"

int main(int argc, char** argv) {
    return t3ui::LanceTessaron3(argc, argv);
}
