#include "ui/Application.h"

int main(int argc, char** argv) {
    quirnel::Application app(argc, argv);
    return app.run();
}
