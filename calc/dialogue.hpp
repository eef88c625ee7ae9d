#pragma once

// The program's own texts on the console.

namespace norvex {

// Eight records: what the program computes, after which paper, and what
// the two numbers to type are.
void write_banner();

// "x,sigma(x) : " after an empty line, left open for the typed answer.
void write_prompt();

}  // namespace norvex
