# The page: the browser face (ui/web), the program's web start-up and the core, one
# self-contained loopsmith.html with the WebAssembly, the script, the style and the images
# inside it, so that it works opened from disk with no network.
if(NOT EMSCRIPTEN)
  return()
endif()
find_program(LOOPSMITH_NODE_FOR_PAGE NAMES node nodejs REQUIRED)
file(GLOB WEB_FACE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/ui/web/*.cpp)
add_library(loopsmith_web_face STATIC ${WEB_FACE_SOURCES})
target_link_libraries(loopsmith_web_face PUBLIC loopsmith_ui)

add_executable(loopsmith_web app/main_web.cpp app/web_extras.cpp)
target_link_libraries(loopsmith_web PRIVATE loopsmith_app loopsmith_web_face)
set(web_languages ${CMAKE_SOURCE_DIR}/Language/english.lng ${CMAKE_SOURCE_DIR}/Language/russian.lng)
set(web_embed)
foreach(language ${web_languages})
  get_filename_component(name ${language} NAME)
  list(APPEND web_embed "--embed-file=${language}@/loopsmith/Language/${name}")
endforeach()
# Asyncify: a message box's answer comes back to the program's waiting call.
target_link_options(loopsmith_web PRIVATE -lembind -sSINGLE_FILE=1 -sASYNCIFY=1
  "-sASYNCIFY_IMPORTS=['loopsmith_ask']" -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web
  "-sEXPORTED_RUNTIME_METHODS=['ccall']" -sEXIT_RUNTIME=0 -O2 -g0 ${web_embed})
set_target_properties(loopsmith_web PROPERTIES SUFFIX ".js" LINK_DEPENDS "${web_languages}")

set(web_images ${CMAKE_SOURCE_DIR}/resources/images/page_calculator.png
  ${CMAKE_SOURCE_DIR}/resources/images/page_editor.png
  ${CMAKE_SOURCE_DIR}/resources/images/page_about.png
  ${CMAKE_SOURCE_DIR}/resources/images/banner.png)
set(web_page_parts ${CMAKE_SOURCE_DIR}/ui/web/page.html ${CMAKE_SOURCE_DIR}/ui/web/page.css
  ${CMAKE_SOURCE_DIR}/ui/web/page.js)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/bin/loopsmith.html
  COMMAND ${LOOPSMITH_NODE_FOR_PAGE} ${CMAKE_SOURCE_DIR}/ui/web/make_page.js ${web_page_parts}
          $<TARGET_FILE:loopsmith_web> ${CMAKE_BINARY_DIR}/bin/loopsmith.html ${web_images}
  DEPENDS loopsmith_web ${web_page_parts} ${web_images} ${CMAKE_SOURCE_DIR}/ui/web/make_page.js
  COMMENT "Making loopsmith.html" VERBATIM)
add_custom_target(loopsmith_page ALL DEPENDS ${CMAKE_BINARY_DIR}/bin/loopsmith.html)
