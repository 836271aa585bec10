#include "format/componentstream.h"

namespace format::streammessage {

std::string unknownTag(int tag) {
    return "Format de flux incorrect : type de valeur inconnu (" + std::to_string(tag) + ")";
}

std::string badRecords(const std::string& property, std::size_t size, std::size_t recordSize) {
    return "Bloc de données incorrect pour " + property + " : " + std::to_string(size) +
           " octets ne font pas un nombre entier d'enregistrements de " +
           std::to_string(recordSize) + " octets";
}

std::string nameTooLong(const std::string& name) {
    return "Nom trop long pour le flux : " + name;
}

std::string classNameTooLong(const std::string& name) {
    return "Nom de classe trop long pour le flux (239 caractères au plus) : " + name;
}

} // namespace format::streammessage
