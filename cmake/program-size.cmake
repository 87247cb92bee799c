# The setup program's size against FVP_MIN_PROGRAM_SIZE, below which its start-up check calls
# the program file incomplete. When the build is configured, an estimate stops a payload that
# cannot make a program of that size; after each program is linked, check-program-size.cmake
# measures the real file.

# What the program adds to its packed payload (code, run-time libraries, dialog templates,
# file headers), measured in the presets' Release builds: native fvpsetup 814,716 bytes,
# mingw-i686 fvpsetup.exe 1,122,186, mingw-x86_64 fvpsetup.exe 1,128,909. The bound is far
# above them, so that a payload that can reach the minimum is never refused here.
set(FVP_PROGRAM_CODE_BOUND 2000000)

# fvp_packed_payload_size(<dir> <out_var>): the bytes of the zlib streams zpack makes of the
# installed files in <dir>. gzip at the same level is the same deflate data with 18 bytes of
# header and trailer where zlib has 6.
function(fvp_packed_payload_size dir out_var)
  get_property(names GLOBAL PROPERTY FVP_PAYLOAD_NAMES)
  set(scratch "${CMAKE_BINARY_DIR}/CMakeFiles/fvp-packed-size.gz")
  set(total 0)
  foreach(name IN LISTS names)
    file(ARCHIVE_CREATE OUTPUT "${scratch}" PATHS "${dir}/${name}"
         FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 6)
    file(SIZE "${scratch}" size)
    math(EXPR total "${total} + ${size} - 12")
  endforeach()
  file(REMOVE "${scratch}")
  set(${out_var} ${total} PARENT_SCOPE)
endfunction()

# fvp_check_payload_reaches_minimum(<dir>): stops the configuration when even the largest
# program around the payload in <dir> would stay below FVP_MIN_PROGRAM_SIZE.
function(fvp_check_payload_reaches_minimum dir)
  # Debug information can make the code larger than the bound; such builds rely on the
  # check after linking.
  if(CMAKE_BUILD_TYPE MATCHES "^(Debug|RelWithDebInfo)$")
    return()
  endif()
  fvp_packed_payload_size("${dir}" packed)
  math(EXPR largest "${packed} + ${FVP_PROGRAM_CODE_BOUND}")
  if(largest LESS FVP_MIN_PROGRAM_SIZE)
    message(FATAL_ERROR
      "The payload in ${dir} packs to about ${packed} bytes, and the program's own code adds "
      "less than ${FVP_PROGRAM_CODE_BOUND} bytes: the setup program cannot reach "
      "FVP_MIN_PROGRAM_SIZE, ${FVP_MIN_PROGRAM_SIZE} bytes, and would call itself incomplete. "
      "Set FVP_MIN_PROGRAM_SIZE a little below the size of the complete program.")
  endif()
endfunction()
