#include "startup/application.h"

int main(int argc, char* argv[]) {
    return skelvane::RunApplication(argc, argv);
}
