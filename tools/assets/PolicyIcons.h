// Policy icons from the glyph library: every policy of the policies file gets
// "icons_<lower-case name>.dds", its glyph (from the mapping file, else its
// group's) drawn on a round badge in its group's colour.
#pragma once

#include <map>
#include <string>
#include <vector>

struct GlyphMapping {
    struct Group {
        std::string colour;  // "#RRGGBB"
        std::string glyph;
    };
    std::map<std::string, Group> groups;          // by group name
    std::map<std::string, std::string> policies;  // policy name -> glyph
};

struct PolicyEntry {
    std::string name;
    std::string group;
    int line = 0;
};

// Reads the mapping; problems are added to `errors` as "file:line: what".
GlyphMapping ReadGlyphMapping(const std::string& path, std::vector<std::string>& errors);
// The name and group of every policy line ("#" first) of the policies file.
std::vector<PolicyEntry> ReadPolicyList(const std::string& path, std::vector<std::string>& errors);
// The glyph's drawing: what lies between its <svg> element's tags.
std::string GlyphBody(const std::string& svgText);
// The icon's SVG document: the badge, then the glyph.
std::string ComposeIcon(const std::string& colour, const std::string& glyphBody);

// Writes every icon into `outputBitmaps`; the count written, or -1 after
// printing what was wrong with the mapping or the glyphs (problems of the
// policies file are printed as warnings and skip only their policy).
int GeneratePolicyIcons(const std::string& glyphFolder, const std::string& policiesFile,
                        const std::string& outputBitmaps);
