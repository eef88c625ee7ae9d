# The belt and the program's interpolation error, from the data that
# `fcbelt plot-data` writes. Called by plot.sh with data, out and from
# (the first grid value) set.

set terminal svg size 1000,760 dynamic font "sans,11" background "white"
set datafile commentschars "#"
set grid lc rgb "#dddddd"
set key top right box opaque

levels = "68.27% 90.00% 95.00% 99.00%"
lower(k) = 2 * k
upper(k) = 2 * k + 1

# Ends against the measured mean, with the table's grid points.
set output out . "/belt.svg"
set multiplot layout 2, 2 title "Feldman-Cousins belt for a Gaussian mean >= 0, sigma = 1"
set xrange [from:8]
set yrange [0:*]
set xlabel "measured mean x0 / sigma"
set ylabel "true mean mu / sigma"
do for [k = 1:4] {
    set title word(levels, k) . " confidence level"
    plot data . "/belt_exact.dat" using 1:(column(lower(k))) with lines lw 2 lc rgb "#1f77b4" title "lower end", \
         data . "/belt_exact.dat" using 1:(column(upper(k))) with lines lw 2 lc rgb "#d62728" title "upper end", \
         data . "/belt_grid.dat" using 1:(column(lower(k))) with points pt 7 ps 0.45 lc rgb "black" title "grid points", \
         data . "/belt_grid.dat" using 1:(column(upper(k))) with points pt 7 ps 0.45 lc rgb "black" notitle
}
unset multiplot

# Interpolated minus exact end, with the target and the grid points.
set output out . "/belt_error.svg"
set multiplot layout 2, 2 title "DIVDIF (order 2) on fc\\_tab10.dat minus the exact belt, sigma = 1"
set xrange [from:10]
set yrange [-2:2]
set ylabel "error / (10^{-4} sigma)"
do for [k = 1:4] {
    set title word(levels, k) . " confidence level"
    plot data . "/belt_error.dat" using 1:(1e4 * column(lower(k))) with lines lw 1 lc rgb "#1f77b4" title "lower end", \
         data . "/belt_error.dat" using 1:(1e4 * column(upper(k))) with lines lw 1 lc rgb "#d62728" title "upper end", \
         1.5 with lines dt 2 lc rgb "gray40" title "target", \
         -1.5 with lines dt 2 lc rgb "gray40" notitle, \
         data . "/belt_grid.dat" using 1:(0) with points pt 2 ps 0.4 lc rgb "black" title "grid points"
}
unset multiplot

# From x0 = 10 to the largest REAL: the size of the relative error, on
# log axes (exact results, error zero, leave gaps).
set output out . "/belt_far_error.svg"
set multiplot layout 2, 2 title "|Relative error| of DIVDIF on fc\\_tab10.dat from x0 = 10 to the largest REAL"
set logscale xy
set format x "10^{%L}"
set format y "10^{%L}"
set xrange [10:3.5e38]
set yrange [1e-12:1e-5]
set ylabel "|interpolated - exact| / exact"
do for [k = 1:4] {
    set title word(levels, k) . " confidence level"
    plot data . "/belt_far_error.dat" using 1:(abs(column(lower(k)))) with lines lw 1 lc rgb "#1f77b4" title "lower end", \
         data . "/belt_far_error.dat" using 1:(abs(column(upper(k)))) with lines lw 1 lc rgb "#d62728" title "upper end", \
         1e-6 with lines dt 2 lc rgb "gray40" title "target"
}
unset multiplot
