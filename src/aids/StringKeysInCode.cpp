// The string keys this program's source uses, as the build's scan found them
// (the generated file is written by tools/stringkeys before this compiles).
#include "aids/StringKeyScan.h"

const StringKeyUsage& StringKeysInCode() {
    static const StringKeyUsage usage =
#include "StringKeysInCode.inc"
        ;
    return usage;
}
