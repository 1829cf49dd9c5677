# CMake generated Testfile for 
# Source directory: /work/wt/link/tests
# Build directory: /work/wt/link/rel/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
include("/work/wt/link/rel/tests/test_app_binding[1]_include.cmake")
include("/work/wt/link/rel/tests/test_app_documents[1]_include.cmake")
include("/work/wt/link/rel/tests/test_app_drawing[1]_include.cmake")
include("/work/wt/link/rel/tests/test_app_online[1]_include.cmake")
include("/work/wt/link/rel/tests/test_app_pages[1]_include.cmake")
include("/work/wt/link/rel/tests/test_app_print[1]_include.cmake")
include("/work/wt/link/rel/tests/test_app_scope[1]_include.cmake")
include("/work/wt/link/rel/tests/test_app_service[1]_include.cmake")
include("/work/wt/link/rel/tests/test_app_shell[1]_include.cmake")
include("/work/wt/link/rel/tests/test_app_templates[1]_include.cmake")
include("/work/wt/link/rel/tests/test_handheld_common[1]_include.cmake")
include("/work/wt/link/rel/tests/test_handheld_trevant[1]_include.cmake")
include("/work/wt/link/rel/tests/test_handheld_txtool[1]_include.cmake")
include("/work/wt/link/rel/tests/test_link[1]_include.cmake")
include("/work/wt/link/rel/tests/test_model[1]_include.cmake")
include("/work/wt/link/rel/tests/test_platform_afx[1]_include.cmake")
include("/work/wt/link/rel/tests/test_platform_backend[1]_include.cmake")
include("/work/wt/link/rel/tests/test_platform_comm[1]_include.cmake")
include("/work/wt/link/rel/tests/test_platform_gdi[1]_include.cmake")
include("/work/wt/link/rel/tests/test_platform_sys[1]_include.cmake")
include("/work/wt/link/rel/tests/test_platform_testing[1]_include.cmake")
include("/work/wt/link/rel/tests/test_platform_vcl[1]_include.cmake")
include("/work/wt/link/rel/tests/test_platform_win[1]_include.cmake")
include("/work/wt/link/rel/tests/test_scope[1]_include.cmake")
include("/work/wt/link/rel/tests/test_sim[1]_include.cmake")
