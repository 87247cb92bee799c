# Run after a setup program is linked: fails the build when the program file is smaller than
# the minimum its own start-up check demands, since that program would call itself incomplete.
# Make deletes a target whose commands fail, so no such program stays behind.
#
#   cmake -DPROGRAM=<file> -DMINIMUM=<bytes> -DPACKED_DIR=<folder of its .z streams>
#         -P check-program-size.cmake
file(SIZE "${PROGRAM}" size)
if(size LESS MINIMUM)
  file(GLOB streams "${PACKED_DIR}/*.z")
  set(packed 0)
  foreach(stream IN LISTS streams)
    file(SIZE "${stream}" stream_size)
    math(EXPR packed "${packed} + ${stream_size}")
  endforeach()
  get_filename_component(name "${PROGRAM}" NAME)
  message(FATAL_ERROR
    "${name} is ${size} bytes, ${packed} of them its packed payload: less than "
    "FVP_MIN_PROGRAM_SIZE, ${MINIMUM} bytes, so it would call itself incomplete. "
    "Set FVP_MIN_PROGRAM_SIZE a little below the size of the complete program.")
endif()
