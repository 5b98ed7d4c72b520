# Fails the build when FILE is larger than LIMIT bytes: run after linking the release program.
file(SIZE "${FILE}" size)
if(size GREATER LIMIT)
  # Removed so that the next build links and checks it again instead of taking it as up to date.
  file(REMOVE "${FILE}")
  message(FATAL_ERROR "${FILE} is ${size} bytes, more than the ${LIMIT} allowed for the release program")
endif()
message(STATUS "${FILE}: ${size} bytes of at most ${LIMIT}")
