#include "tests/TestPaths.h"

const char* LumCorpusDir() { return LUM_TEST_CORPUS_DIR; }
const char* LumTestsDir() { return LUM_TEST_SOURCE_DIR; }
const char* LumBuildDir() { return LUM_TEST_BUILD_DIR; }
