#pragma once

// Folders the tests read and write, fixed when the tests are built. Only TestPaths.cpp sees
// the build's paths, so every other test source compiles alike in every checkout.
const char* LumCorpusDir();
const char* LumTestsDir();
const char* LumBuildDir();

#define LUM_CORPUS_DIR LumCorpusDir()
#define LUM_TESTS_DIR LumTestsDir()
#define LUM_BUILD_DIR LumBuildDir()
