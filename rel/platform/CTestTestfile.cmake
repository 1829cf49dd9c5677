# CMake generated Testfile for 
# Source directory: /work/wt/link/platform
# Build directory: /work/wt/link/rel/platform
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
