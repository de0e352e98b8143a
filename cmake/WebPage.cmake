# The page: the browser face (ui/web), the page's program (programs/web) and the core, one
# self-contained loopsmith.html with the WebAssembly, the script, the style and the images
# inside it, so that it works opened from disk with no network.
if(NOT EMSCRIPTEN)
  return()
endif()
find_program(LOOPSMITH_NODE_FOR_PAGE NAMES node nodejs REQUIRED)
file(GLOB WEB_FACE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/ui/web/*.cpp)
add_library(loopsmith_web_face STATIC ${WEB_FACE_SOURCES})
target_link_libraries(loopsmith_web_face PUBLIC loopsmith_ui)
# Asyncify: a message box's answer comes back to the program's waiting call. -g0: the objects'
# debug information stays out of the page. The WebAssembly is a file of its own here: the page
# carries it packed and compiles it while the rest of the page is read (make_page.js).
set(LOOPSMITH_WEB_PAGE_LINK_OPTIONS -sASYNCIFY=1 -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web
  "-sEXPORTED_FUNCTIONS=['_main','_malloc','_free']"
  "-sEXPORTED_RUNTIME_METHODS=['ccall','UTF8ToString']" -O2 -g0)

# A page around a program linked with LOOPSMITH_WEB_PAGE_LINK_OPTIONS: ui/web's template, style
# and script, the images, the program.
function(loopsmith_web_page program html)
  set(images ${CMAKE_SOURCE_DIR}/resources/loopsmith-64.png)  # the browser's icon of the page
  foreach(image page_calculator page_editor page_about banner)
    list(APPEND images ${CMAKE_SOURCE_DIR}/resources/images/${image}.svg)
  endforeach()
  set(parts ${CMAKE_SOURCE_DIR}/ui/web/page.html ${CMAKE_SOURCE_DIR}/ui/web/page.css
    ${CMAKE_SOURCE_DIR}/ui/web/program_loader.js ${CMAKE_SOURCE_DIR}/ui/web/long_list.js
    ${CMAKE_SOURCE_DIR}/ui/web/page_elements.js ${CMAKE_SOURCE_DIR}/ui/web/page.js)
  add_custom_command(OUTPUT ${html}
    COMMAND ${LOOPSMITH_NODE_FOR_PAGE} ${CMAKE_SOURCE_DIR}/ui/web/make_page.js ${parts}
            $<TARGET_FILE:${program}> $<TARGET_FILE_DIR:${program}>/${program}.wasm ${html} ${images}
    DEPENDS ${program} ${parts} ${images} ${CMAKE_SOURCE_DIR}/ui/web/make_page.js
    COMMENT "Making ${html}" VERBATIM)
endfunction()

file(GLOB WEB_PROGRAM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/programs/web/*.cpp)
add_executable(loopsmith_web ${WEB_PROGRAM_SOURCES})
target_link_libraries(loopsmith_web PRIVATE loopsmith_app loopsmith_web_face)
set(web_languages ${CMAKE_SOURCE_DIR}/Language/english.lng ${CMAKE_SOURCE_DIR}/Language/russian.lng)
set(web_embed)
foreach(language ${web_languages})
  get_filename_component(name ${language} NAME)
  list(APPEND web_embed "--embed-file=${language}@/loopsmith/Language/${name}")
endforeach()
target_link_options(loopsmith_web PRIVATE ${LOOPSMITH_WEB_PAGE_LINK_OPTIONS} -sEXIT_RUNTIME=0
  ${web_embed})
set_target_properties(loopsmith_web PROPERTIES SUFFIX ".js" LINK_DEPENDS "${web_languages}")
loopsmith_web_page(loopsmith_web ${CMAKE_BINARY_DIR}/bin/loopsmith.html)
add_custom_target(loopsmith_page ALL DEPENDS ${CMAKE_BINARY_DIR}/bin/loopsmith.html)

# For the load benchmark only (bench/web): the same page around a program that does nothing.
add_executable(loopsmith_empty_program EXCLUDE_FROM_ALL bench/web/empty_program.cpp)
target_link_options(loopsmith_empty_program PRIVATE ${LOOPSMITH_WEB_PAGE_LINK_OPTIONS})
set_target_properties(loopsmith_empty_program PROPERTIES SUFFIX ".js")
loopsmith_web_page(loopsmith_empty_program ${CMAKE_BINARY_DIR}/bin/empty_program.html)
add_custom_target(loopsmith_empty_page DEPENDS ${CMAKE_BINARY_DIR}/bin/empty_program.html)
