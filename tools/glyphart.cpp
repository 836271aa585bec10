#include "tools/glyphart.h"

namespace tools {

const Art& openDoorArt() {
    static const Art art = {
        "................", //
        "......kkkkkkkk..", //
        "....kkkwwwwwwk..", //
        "..kkmkkwwwwwwk..", //
        "..kmmmkwwwwwwk..", //
        "..kmmmkwwwwwwk..", //
        "..kmmmkwwwwwwk..", //
        "..kmmmkwwwwwwk..", //
        "..kymmkwwwwwwk..", //
        "..kmmmkwwwwwwk..", //
        "..kmmmkwwwwwwk..", //
        "..kmmmkwwwwwwk..", //
        "..kmmmkwwwwwwk..", //
        "..kmmmkwwwwwwk..", //
        "..kmmkkkkkkkkkk.", //
        "..kkk...........", //
    };
    return art;
}

const Art& calculatorArt() {
    static const Art art = {
        "................", //
        "...kkkkkkkkkk...", //
        "...kssssssssk...", //
        "...kskkkkkksk...", //
        "...kskccccksk...", //
        "...kskkkkkksk...", //
        "...kssssssssk...", //
        "...kswswswssk...", //
        "...kssssssssk...", //
        "...kswswswssk...", //
        "...kssssssssk...", //
        "...kswswswssk...", //
        "...kssssssssk...", //
        "...kswswsrrsk...", //
        "...kkkkkkkkkkd..", //
        "....dddddddddd..", //
    };
    return art;
}

const Art& printerArt() {
    static const Art art = {
        "................", //
        "....kkkkkkk.....", //
        "....kwwwwwk.....", //
        "....kwkkkwk.....", //
        "....kwwwwwk.....", //
        "....kwkkkwk.....", //
        "..kkkkkkkkkkk...", //
        "..ksssssssssk...", //
        "..kssssssssldk..", //
        "..kddddddddddk..", //
        "..kkkkkkkkkkkk..", //
        "...kwwwwwwwk....", //
        "...kwkkkkkwk....", //
        "...kwwwwwwwk....", //
        "...kkkkkkkkk....", //
        "................", //
    };
    return art;
}

const Art& tableArt() {
    static const Art art = {
        "................", //
        ".kkkkkkkkkkkkkk.", //
        ".knnnnnnnnnnnnk.", //
        ".knwwwwwnnnnnnk.", //
        ".kkkkkkkkkkkkkk.", //
        ".ksssdwwwwdwwwk.", //
        ".ksssdwwwwdwwwk.", //
        ".kddddddddddddk.", //
        ".ksssdwwwwdwwwk.", //
        ".ksssdwwwwdwwwk.", //
        ".kddddddddddddk.", //
        ".ksssdwwwwdwwwk.", //
        ".ksssdwwwwdwwwk.", //
        ".ksssdwwwwdwwwk.", //
        ".kkkkkkkkkkkkkk.", //
        "................", //
    };
    return art;
}

const Art& bulbArt() {
    static const Art art = {
        "......kkkk......", //
        "....kkyyyykk....", //
        "...kyywwyyyyk...", //
        "..kyywyyyyyyyk..", //
        "..kywyyyyyyyyk..", //
        "..kyyyyyyyyyyk..", //
        "..kyyyyyyyyyyk..", //
        "...kyyyyyyyyk...", //
        "....kyyyyyyk....", //
        ".....kyyyyk.....", //
        ".....kkkkkk.....", //
        ".....kssssk.....", //
        ".....kddddk.....", //
        ".....kssssk.....", //
        "......kddk......", //
        ".......kk.......", //
    };
    return art;
}

const Art& helpArt() {
    static const Art art = {
        ".....kkkkkk.....", //
        "...kkyyyyyykk...", //
        "..kyyyyyyyyyyk..", //
        ".kyyyyrrrryyyyk.", //
        ".kyyyrryyrryyyk.", //
        "kyyyyrryyrryyyyk", //
        "kyyyyyyyyrryyyyk", //
        "kyyyyyyyrryyyyyk", //
        "kyyyyyyrryyyyyyk", //
        "kyyyyyyrryyyyyyk", //
        ".kyyyyyyyyyyyyk.", //
        ".kyyyyyrryyyyyk.", //
        "..kyyyyrryyyyk..", //
        "...kkyyyyyykk...", //
        ".....kkkkkk.....", //
        "................", //
    };
    return art;
}

const Art& closeListArt() {
    static const Art art = {
        "....................", //
        ".kkkkkkkkkkkkkkkkkk.", //
        ".kyyyyyyyyyyyyyyyyk.", //
        ".kyyyyyyyrryyyyyyyk.", //
        ".kyyyyyyyrryyyyyyyk.", //
        ".kyyyyyyyrryyyyyyyk.", //
        ".kyyyyyyyrryyyyyyyk.", //
        ".kyyyyyyyrryyyyyyyk.", //
        ".kyyyyyyyrryyyyyyyk.", //
        ".kkkkkkkkrrkkkkkkkk.", //
        ".knnnnnnnrrnnnnnnnk.", //
        ".knnnnnnnrrnnnnnnnk.", //
        ".knnnnrrrrrrrrnnnnk.", //
        ".knnnnnrrrrrrnnnnnk.", //
        ".knnnnnnrrrrnnnnnnk.", //
        ".knnnnnnnrrnnnnnnnk.", //
        ".knnnnnnnnnnnnnnnnk.", //
        ".knnnnnnnnnnnnnnnnk.", //
        ".kkkkkkkkkkkkkkkkkk.", //
        "....................", //
    };
    return art;
}

} // namespace tools
