#include "front/entry.h"

int main(int argc, char** argv) { return varda::front::run(argc, argv); }
