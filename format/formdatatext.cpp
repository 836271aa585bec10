#include "format/formdatatext.h"

#include "format/componentstreamreader.h"
#include "format/componentstreamtext.h"
#include "format/formdata.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <system_error>
#include <vector>

namespace format {

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::string run() {
        skipSpace();
        object();
        skipSpace();
        if (pos_ < text_.size()) {
            fail("texte après la fin de l'objet");
        }
        return form_.take();
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        int line = 1;
        for (std::size_t i = 0; i < pos_ && i < text_.size(); ++i) {
            line += text_[i] == '\n';
        }
        throw format::StreamError("Texte de fiche incorrect, ligne " + std::to_string(line) +
                                  " : " + what);
    }

    void skipSpace() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) {
            ++pos_;
        }
    }

    // A name the stream cannot hold (too long, outside the code page) is a fault of the text.
    template <typename Write> void write(Write&& write) {
        try {
            write();
        } catch (const format::StreamError& failure) {
            fail(failure.what());
        }
    }

    // Lists and objects nest no deeper than a form data reader takes.
    struct Nesting {
        explicit Nesting(Parser& parser) : parser_(parser) {
            if (++parser_.depth_ > kMaxStreamDepth) {
                parser_.fail("imbrication trop profonde");
            }
        }
        ~Nesting() { --parser_.depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        Parser& parser_;
    };

    bool isWordChar(char c) const {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
    }

    std::string word() {
        skipSpace();
        const std::size_t begun = pos_;
        while (pos_ < text_.size() && isWordChar(text_[pos_])) {
            ++pos_;
        }
        if (begun == pos_) {
            fail("nom attendu");
        }
        return std::string(text_.substr(begun, pos_ - begun));
    }

    void expect(char c) {
        skipSpace();
        if (pos_ >= text_.size() || text_[pos_] != c) {
            fail(std::string("'") + c + "' attendu");
        }
        ++pos_;
    }

    bool peek(char c) {
        skipSpace();
        return pos_ < text_.size() && text_[pos_] == c;
    }

    bool peekWord(std::string_view w) {
        skipSpace();
        return text_.substr(pos_, w.size()) == w &&
               (pos_ + w.size() == text_.size() || !isWordChar(text_[pos_ + w.size()]));
    }

    void object() {
        const Nesting nesting(*this);
        if (word() != "object") {
            fail("\"object\" attendu");
        }
        const std::string name = word();
        expect(':');
        const std::string className = word();
        write([&] { form_.beginObject(className, name); });
        while (!peekWord("end") && !peekWord("object")) {
            const std::string property = word();
            expect('=');
            write([&] { form_.stream().writePropName(property); });
            value();
        }
        form_.endProperties();
        while (peekWord("object")) {
            object();
        }
        if (word() != "end") {
            fail("\"end\" attendu");
        }
        form_.endObject();
    }

    void value() {
        skipSpace();
        if (pos_ >= text_.size()) {
            fail("valeur attendue");
        }
        const char c = text_[pos_];
        format::ComponentWriter& out = form_.stream();
        if (c == '\'' || c == '#') {
            out.writeString(text());
        } else if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) {
            out.writeInteger(integer());
        } else if (c == '[') {
            ++pos_;
            std::vector<std::string> members;
            while (!peek(']')) {
                members.push_back(word());
                if (!peek(']')) {
                    expect(',');
                }
            }
            ++pos_;
            std::vector<std::string_view> views(members.begin(), members.end());
            write([&] { out.writeSet(views); });
        } else if (c == '(') {
            const Nesting nesting(*this);
            ++pos_;
            out.writeListBegin();
            while (!peek(')')) {
                value();
            }
            ++pos_;
            out.writeListEnd();
        } else if (c == '{') {
            ++pos_;
            out.writeBinary(hexBytes());
        } else {
            const std::string w = word();
            if (w == "True" || w == "False") {
                out.writeBoolean(w == "True");
            } else {
                write([&] { out.writeIdent(w); });
            }
        }
    }

    long long integer() {
        const std::size_t begun = pos_;
        if (pos_ < text_.size() && text_[pos_] == '-') {
            ++pos_;
        }
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
            ++pos_;
        }
        const std::string_view digits = text_.substr(begun, pos_ - begun);
        long long number = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (error == std::errc::result_out_of_range) {
            fail("nombre hors limites : " + std::string(digits));
        }
        if (error != std::errc() || end != digits.data() + digits.size()) {
            fail("nombre attendu");
        }
        return number;
    }

    std::string text() {
        std::string out;
        for (;;) {
            if (pos_ < text_.size() && text_[pos_] == '\'') {
                ++pos_;
                for (;;) {
                    if (pos_ >= text_.size() || text_[pos_] == '\n') {
                        fail("texte non terminé");
                    }
                    if (text_[pos_] == '\'') {
                        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                            out.push_back('\'');
                            pos_ += 2;
                            continue;
                        }
                        ++pos_;
                        break;
                    }
                    out.push_back(text_[pos_++]);
                }
            } else if (pos_ < text_.size() && text_[pos_] == '#') {
                ++pos_;
                const long long code = integer();
                if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
                    fail("caractère incorrect");
                }
                format::appendUtf8(out, static_cast<char32_t>(code));
            } else {
                break;
            }
        }
        if (!format::isValidUtf8(out)) {
            fail("texte qui n'est pas en UTF-8");
        }
        return out;
    }

    std::vector<std::uint8_t> hexBytes() {
        std::vector<std::uint8_t> bytes;
        std::string digits;
        while (!peek('}')) {
            if (pos_ >= text_.size() || !std::isxdigit(static_cast<unsigned char>(text_[pos_]))) {
                fail("chiffre hexadécimal attendu");
            }
            digits.push_back(text_[pos_++]);
            if (digits.size() == 2) {
                unsigned byte = 0;
                std::from_chars(digits.data(), digits.data() + 2, byte, 16); // two checked digits
                bytes.push_back(static_cast<std::uint8_t>(byte));
                digits.clear();
            }
        }
        ++pos_;
        if (!digits.empty()) {
            fail("nombre impair de chiffres hexadécimaux");
        }
        return bytes;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    format::FormWriter form_;
};

} // namespace

std::string formDataFromText(std::string_view text) {
    return Parser(text).run();
}

} // namespace format
