#include "cli/Namelist.h"

#include <istream>

std::vector<std::string> ReadNameList(std::istream& text) {
    std::vector<std::string> names;
    std::string line;
    while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            names.push_back(line);
        }
    }
    return names;
}
