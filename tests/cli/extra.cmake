# With the desktop application in the build, running without a command starts it instead of printing
# the usage.
if(TARGET zav_ui)
    target_compile_definitions(cli_tests PRIVATE ZAV_WITH_DESKTOP=1)
endif()
