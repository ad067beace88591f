#include "replay/script.h"

#include <cctype>
#include <sstream>

namespace {

constexpr int64_t max_repeat = 10'000'000;

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool all_of(const std::string& s, int (*test)(int)) {
    for (char c : s) {
        if (!test(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

// A virtual-key code: a name, or 1 to 8 hex digits with or without 0x.
bool parse_key(const std::string& token, int32_t& code) {
    static const struct {
        const char* name;
        int32_t code;
    } names[] = {{"left", 0x25}, {"up", 0x26}, {"right", 0x27}, {"down", 0x28}, {"q", 0x51}};
    const std::string t = lower(token);
    for (const auto& n : names) {
        if (t == n.name) {
            code = n.code;
            return true;
        }
    }
    const std::string digits = t.rfind("0x", 0) == 0 ? t.substr(2) : t;
    if (digits.empty() || digits.size() > 8 || !all_of(digits, isxdigit)) return false;
    code = static_cast<int32_t>(static_cast<uint32_t>(std::stoul(digits, nullptr, 16)));
    return true;
}

// `*N`, N from 1 to 10,000,000 in decimal.
bool parse_repeat(const std::string& token, int64_t& repeat) {
    const std::string digits = token.substr(1);
    if (digits.empty() || digits.size() > 8 || !all_of(digits, isdigit)) return false;
    repeat = std::stoll(digits);
    return repeat >= 1 && repeat <= max_repeat;
}

std::string fail(size_t line_number, const std::string& what) {
    return "line " + std::to_string(line_number) + ": " + what;
}

}  // namespace

bool parse_script(std::istream& in, key_script& script, std::string& error) {
    script.clear();
    std::string text;
    size_t line_number = 0;
    while (std::getline(in, text)) {
        ++line_number;
        if (const size_t hash = text.find('#'); hash != std::string::npos) text.erase(hash);
        std::istringstream words(text);
        std::vector<std::string> tokens;
        for (std::string token; words >> token;) tokens.push_back(token);

        script_line line;
        for (size_t i = 0; i < tokens.size(); ++i) {
            const std::string& token = tokens[i];
            int32_t code = 0;
            if (token[0] == '*') {
                if (!parse_repeat(token, line.repeat)) {
                    error = fail(line_number, "bad repeat count '" + token + "' (want *1 to *10000000)");
                    return false;
                }
                if (i + 1 != tokens.size()) {
                    error = fail(line_number, "repeat count '" + token + "' must be the last token on its line");
                    return false;
                }
            } else if (lower(token) == "close") {
                line.close = true;
            } else if (parse_key(token, code)) {
                line.keys.push_back(code);
            } else {
                error = fail(line_number, "unknown token '" + token + "'");
                return false;
            }
        }
        script.push_back(std::move(line));
    }
    return true;
}

int64_t script_ticks(const key_script& script) {
    int64_t ticks = 0;
    for (const script_line& line : script) ticks += line.repeat;
    return ticks;
}
