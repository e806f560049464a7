// Composing policy icons.
#include "PolicyIcons.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "DdsWriter.h"
#include "SvgTextures.h"

namespace fs = std::filesystem;

namespace {

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string Lower(std::string text) {
    for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::stringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

// Comma-separated fields; a double-quoted stretch keeps its commas.
std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

bool IsColour(const std::string& text) {
    if (text.size() != 7 || text[0] != '#') return false;
    for (size_t i = 1; i < 7; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
    return true;
}

}  // namespace

GlyphMapping ReadGlyphMapping(const std::string& path, std::vector<std::string>& errors) {
    GlyphMapping mapping;
    std::ifstream in(path);
    if (!in) {
        errors.push_back(path + ": cannot be read");
        return mapping;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string text = Trim(line);
        if (text.empty() || text[0] == '#') continue;
        const std::string at = path + ":" + std::to_string(number) + ": ";
        const size_t equals = text.find('=');
        if (equals == std::string::npos) {
            errors.push_back(at + "expected 'name = glyph'");
            continue;
        }
        std::string key = Trim(text.substr(0, equals));
        const std::string value = Trim(text.substr(equals + 1));
        if (key.rfind("group ", 0) == 0) {
            std::istringstream words(value);
            GlyphMapping::Group group;
            words >> group.colour >> group.glyph;
            if (!IsColour(group.colour) || group.glyph.empty()) {
                errors.push_back(at + "expected 'group NAME = #RRGGBB glyph'");
                continue;
            }
            mapping.groups[Trim(key.substr(6))] = group;
        } else if (key.empty() || value.empty() || value.find(' ') != std::string::npos) {
            errors.push_back(at + "expected 'PolicyName = glyph'");
        } else {
            mapping.policies[key] = value;
        }
    }
    return mapping;
}

std::vector<PolicyEntry> ReadPolicyList(const std::string& path, std::vector<std::string>& errors) {
    std::vector<PolicyEntry> policies;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        errors.push_back(path + ": cannot be read");
        return policies;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        // The game reads the same lines: a "#" first and at least 9 characters.
        if (line.size() < 8 || line[0] != '#') continue;
        const std::vector<std::string> fields = SplitFields(line);
        if (fields.size() < 7 || Trim(fields[1]).empty()) {
            errors.push_back(path + ":" + std::to_string(number) +
                             ": a policy line needs a name (field 2) and a group (field 7)");
            continue;
        }
        policies.push_back({Trim(fields[1]), Trim(fields[6]), number});
    }
    return policies;
}

std::string GlyphBody(const std::string& svgText) {
    const size_t open = svgText.find("<svg");
    const size_t openEnd = open == std::string::npos ? open : svgText.find('>', open);
    const size_t close = svgText.rfind("</svg>");
    if (openEnd == std::string::npos || close == std::string::npos || close < openEnd) return {};
    return svgText.substr(openEnd + 1, close - openEnd - 1);
}

std::string ComposeIcon(const std::string& colour, const std::string& glyphBody) {
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" "
           "viewBox=\"0 0 64 64\">\n  <circle cx=\"32\" cy=\"32\" r=\"30\" fill=\"" +
           colour + "\" stroke=\"#1B2A41\" stroke-width=\"2\"/>" + glyphBody + "</svg>\n";
}

int GeneratePolicyIcons(const std::string& glyphFolder, const std::string& policiesFile,
                        const std::string& outputBitmaps) {
    std::vector<std::string> errors;
    const std::string mappingPath = glyphFolder + "/policy_glyphs.txt";
    const GlyphMapping mapping = ReadGlyphMapping(mappingPath, errors);
    // The policies file is content that the game checks itself: its problems
    // are told but do not stop the build.
    std::vector<std::string> warnings;
    const std::vector<PolicyEntry> policies = ReadPolicyList(policiesFile, warnings);
    std::map<std::string, std::string> bodies;  // glyph name -> drawing
    auto glyph = [&](const std::string& name, const std::string& where) -> const std::string* {
        auto it = bodies.find(name);
        if (it != bodies.end()) return &it->second;
        std::string text;
        if (!ReadFile(glyphFolder + "/" + name + ".svg", text) || GlyphBody(text).empty()) {
            errors.push_back(where + ": no glyph '" + name + "' (" + glyphFolder + "/" + name +
                             ".svg)");
            return nullptr;
        }
        return &bodies.emplace(name, GlyphBody(text)).first->second;
    };
    int written = 0;
    for (const PolicyEntry& policy : policies) {
        const std::string where = policiesFile + ":" + std::to_string(policy.line);
        const auto group = mapping.groups.find(policy.group);
        if (group == mapping.groups.end()) {
            warnings.push_back(where + ": policy " + policy.name + " has group '" + policy.group +
                               "', which " + mappingPath + " gives no colour");
            continue;
        }
        const auto own = mapping.policies.find(policy.name);
        const std::string* body = own != mapping.policies.end()
                                      ? glyph(own->second, mappingPath + " (" + policy.name + ")")
                                      : glyph(group->second.glyph, mappingPath);
        if (!body) continue;
        ArgbImage image;
        std::string error;
        if (!RasteriseSvgText(ComposeIcon(group->second.colour, *body), image, error)) {
            errors.push_back(where + ": icon of " + policy.name + ": " + error);
            continue;
        }
        const std::string target = outputBitmaps + "/icons_" + Lower(policy.name) + ".dds";
        if (!WriteDds(target, image)) {
            errors.push_back("cannot write " + target);
            continue;
        }
        ++written;
    }
    for (const auto& [name, glyphName] : mapping.policies) {
        const bool known = std::any_of(policies.begin(), policies.end(),
                                       [&](const PolicyEntry& p) { return p.name == name; });
        if (!known)
            std::printf("polity_assets: note: %s names %s, which is not in %s\n",
                        mappingPath.c_str(), name.c_str(), policiesFile.c_str());
    }
    for (const std::string& warning : warnings)
        std::fprintf(stderr, "polity_assets: warning: %s\n", warning.c_str());
    for (const std::string& error : errors)
        std::fprintf(stderr, "polity_assets: %s\n", error.c_str());
    return errors.empty() ? written : -1;
}
