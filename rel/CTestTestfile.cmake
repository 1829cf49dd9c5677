# CMake generated Testfile for 
# Source directory: /work/wt/link
# Build directory: /work/wt/link/rel
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
subdirs("platform")
subdirs("model")
subdirs("link")
subdirs("app")
subdirs("scope")
subdirs("handheld")
subdirs("sim")
subdirs("tests")
subdirs("bench")
subdirs("fuzz")
