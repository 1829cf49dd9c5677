# CMake generated Testfile for 
# Source directory: /work/wt/link/bench
# Build directory: /work/wt/link/rel/bench
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
