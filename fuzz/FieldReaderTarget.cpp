// Comma-separated data lines and the text helpers every loader applies to them.
#include <cstdlib>

#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "core/FieldReader.h"
#include "core/TextFile.h"
#include "core/TextUtilities.h"

namespace fuzz {

void FuzzFieldReader(std::string_view input) {
    Guarded([input] {
        const TextFile file = TextFile::FromText("fuzz.csv", input);
        FieldReader fields;
        for (const std::string& line : file.Lines()) {
            fields.SetText(line);
            // Every call moves past at least one character, so a line of n
            // characters ends after at most n + 1 fields.
            size_t count = 0;
            while (!fields.AtEnd()) {
                switch (count % 3) {
                    case 0: (void)fields.NextField(); break;
                    case 1: (void)fields.NextFloat(); break;
                    default: (void)fields.NextInt(); break;
                }
                if (++count > line.size() + 1) std::abort();
            }
            (void)fields.NextField();  // past the end: the empty text
            std::string key, value;
            (void)ParseKeyValue(line, key, value);
            (void)TrimTrailing(line);
            (void)TrimBlanks(line);
            (void)LowerCase(line);
            (void)UpperCase(line);
            (void)IsNumber(line);
            (void)ParseDouble(line);
            (void)ThousandsFormat(ParseInt(line));
        }
    });
}

}  // namespace fuzz
