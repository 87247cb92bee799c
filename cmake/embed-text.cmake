# Turns a text file into a C++ source defining one constant string with exactly its bytes
# (line ends included), so the program holds the text without any run-time file.
# Usage: cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<name> -P embed-text.cmake
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
file(WRITE "${OUTPUT}"
  "// Generated from ${INPUT}; edit that file instead.\n"
  "extern const char ${SYMBOL}[];\n"
  "const char ${SYMBOL}[] = {\n    ${bytes}'\\0'\n};\n")
