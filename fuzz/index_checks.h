// The B-tree index files carry a check value in their header and in every page, which a
// mutated input would almost never match: the index targets set them right before they
// write the input, so that the fuzzer reaches what lies behind the checks.
#pragma once
#include <string>

namespace fuzz {

// Sets the header's and every whole page's check value of an index file's bytes.
void SetIndexChecks(std::string& bytes);

}  // namespace fuzz
