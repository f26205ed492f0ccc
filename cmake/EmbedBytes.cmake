# Writes a C++ source whose function NAME returns the bytes of INPUT, so that data the core needs
# is part of the program and no file has to be found at run time.
#   cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DHEADER=<include> -DNAME=<function> -P EmbedBytes.cmake
foreach(argument INPUT OUTPUT HEADER NAME)
    if(NOT DEFINED ${argument})
        message(FATAL_ERROR "EmbedBytes.cmake needs -D${argument}=...")
    endif()
endforeach()

file(READ "${INPUT}" hex HEX)
# Twelve bytes a line keeps the generated file readable (CMake's expressions have no {n}).
string(REPEAT "[0-9a-f]" 24 line)
string(REGEX REPLACE "(${line})" "\\1\n    " hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1', " bytes "${hex}")
string(REGEX REPLACE ", \n" ",\n" bytes "${bytes}")
cmake_path(GET INPUT FILENAME input_name)

file(WRITE "${OUTPUT}"
"// Generated from ${input_name} by EmbedBytes.cmake; edit that file, not this one.
#include \"${HEADER}\"

namespace minizol {
namespace {

constexpr char kBytes[] = {
    ${bytes}'\\0'};

}  // namespace

std::string_view ${NAME}() {
    return {kBytes, sizeof kBytes - 1};
}

}  // namespace minizol
")
