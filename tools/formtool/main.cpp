// quilvar_formtool <source.txt> <output.frm>: writes the binary form data of a readable form text.

#include "base/failure.h"
#include "format/formdatatext.h"

#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage : quilvar_formtool <source.txt> <sortie.frm>\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "lecture impossible : " << argv[1] << "\n";
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    try {
        const std::string data = format::formDataFromText(text.str());
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out.write(data.data(), static_cast<std::streamsize>(data.size()));
        if (!out) {
            std::cerr << "écriture impossible : " << argv[2] << "\n";
            return 1;
        }
    } catch (const base::Failure& failure) {
        std::cerr << argv[1] << " : " << failure.what() << "\n";
        return 1;
    } catch (const std::exception& failure) { // e.g. memory exhausted on a huge text
        std::cerr << argv[1] << " : erreur interne : " << failure.what() << "\n";
        return 1;
    }
    return 0;
}
