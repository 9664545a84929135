// qelt-fresh-defaults FOLDER: puts QELT.DEF with the five defaults (the antenna folder
// FOLDER/QeltAnts) into the run-time folder, so a newcomer's first start goes straight
// to the window. A file that is already there is the user's and is left alone.
#include "qelt/core/defaults_file.h"

#include "common/text_file.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: qelt-fresh-defaults FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    const std::string path = common::InFolder(folder, qelt::DefaultsFileName);
    std::error_code error;
    if (std::filesystem::exists(path, error)) return 0;
    if (common::Result<> written = qelt::WriteQeltDefaults(path, qelt::FreshQeltDefaults(folder));
        !written) {
        std::cerr << path << ": " << written.message() << '\n';
        return 1;
    }
    return 0;
}
