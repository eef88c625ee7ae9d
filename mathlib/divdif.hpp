#pragma once

// Interpolation in a table of function values by divided differences.
//
// f and a hold n function values and their arguments; a is strictly
// monotone, increasing or decreasing. The result is f interpolated at x
// with a polynomial of order m (capped at 10 and at n - 1) through the grid
// points nearest to x; beyond either end of the grid the points at that end
// extrapolate. For an even order two neighbouring interpolants are
// averaged, which keeps the result symmetric about x.
//
// All working values are REALs: each step is computed in double precision
// and rounded once to float when it is stored, so the result does not
// depend on how the compiler keeps its intermediates.
//
// n >= 2 and m >= 1 are the caller's duty. Nothing is checked beyond that:
// two equal arguments among the points used divide by zero, which the
// program's floating-point traps report.
float DIVDIF(const float* f, const float* a, int n, float x, int m);

// The two ways DIVDIF takes. Order 2, the program's own, has its steps
// written out (n >= 3, where order 2 is not capped); every other order goes
// through the general routine. Both give the same bits for order 2.
float divdif_any_order(const float* f, const float* a, int n, float x, int m);
float divdif_order_2(const float* f, const float* a, int n, float x);
