# Shared compile settings and the small helpers every target is declared with.

add_library(b2b_settings INTERFACE)
target_compile_features(b2b_settings INTERFACE cxx_std_20)
target_compile_definitions(b2b_settings INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_CONTEXTLESS_CONNECT
  QT_USE_QSTRINGBUILDER
  QT_DISABLE_DEPRECATED_BEFORE=0x060400
  BOOST_ASIO_NO_DEPRECATED)
target_compile_options(b2b_settings INTERFACE -Wall -Wextra -Wno-missing-field-initializers
  # GCC 12 reports impossible overlaps inside std::string at -O2 and above (a known false positive).
  $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
if(B2B_WERROR)
  target_compile_options(b2b_settings INTERFACE -Werror)
endif()
target_include_directories(b2b_settings INTERFACE ${PROJECT_SOURCE_DIR})

# A core library must never see a widget header: the include directories of
# QtWidgets are absent and any #include <QWidget>-style header fails to compile.
#   b2b_add_library(name [CORE|WIDGETS] SOURCES ... DEPS ...)
function(b2b_add_library name)
  cmake_parse_arguments(ARG "CORE;WIDGETS" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC b2b_settings ${ARG_DEPS})
  if(ARG_CORE)
    get_target_property(_libs ${name} LINK_LIBRARIES)
    foreach(_l IN LISTS _libs)
      if(_l STREQUAL "Qt6::Widgets" OR _l STREQUAL "Qt::Widgets")
        message(FATAL_ERROR "${name} is a core library and must not link Qt Widgets")
      endif()
    endforeach()
    target_compile_definitions(${name} PRIVATE B2B_CORE_TARGET)
  endif()
endfunction()

#   b2b_add_test(name SOURCES ... DEPS ... [LABELS ...] [TIMEOUT s])
function(b2b_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;DEPS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE b2b_settings GTest::gtest GTest::gmock GTest::gtest_main ${ARG_DEPS})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${ARG_TIMEOUT}
    LABELS "${ARG_LABELS}"
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;B2B_APPSERVER=${PROJECT_BINARY_DIR}/appserver/varsel-appserver;B2B_CLIENT=${PROJECT_BINARY_DIR}/client/app/varsel-b2b;B2B_SOURCE_DIR=${PROJECT_SOURCE_DIR};QTWEBENGINE_DISABLE_SANDBOX=1;QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu;LC_ALL=C.UTF-8")
endfunction()
