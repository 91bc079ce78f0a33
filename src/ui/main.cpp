#include "ui/CQuirnelApp.h"

int main(int argc, char** argv) {
    quirnel::CQuirnelApp app(argc, argv);
    return app.Run();
}
