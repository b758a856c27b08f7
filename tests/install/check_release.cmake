# Fails unless the newest release in the AppStream metainfo FILE (the first
# one listed) is VERSION, the project version.
file(READ ${FILE} metainfo)
string(REGEX MATCH "<release[^>]* version=\"([^\"]*)\"" release "${metainfo}")
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
  message(FATAL_ERROR "newest release in ${FILE} is '${CMAKE_MATCH_1}', the project is ${VERSION}")
endif()
