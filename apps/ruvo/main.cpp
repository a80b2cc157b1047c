#include "apps/ruvo/ruvo_cli.h"

#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string_view> arguments(argv + 1, argv + argc);
    return ruvo::runRuvo(arguments, std::cin, std::cout, std::cerr);
}
