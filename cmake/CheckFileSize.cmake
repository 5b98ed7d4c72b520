# Fails the build when FILE is larger than LIMIT bytes: run after linking the release program.
file(SIZE "${FILE}" size)
if(size GREATER LIMIT)
  message(FATAL_ERROR "${FILE} is ${size} bytes, more than the ${LIMIT} allowed for the release program")
endif()
message(STATUS "${FILE}: ${size} bytes of at most ${LIMIT}")
