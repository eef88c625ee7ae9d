#include "belt/grid_search.hpp"

#include "mathlib/divdif.hpp"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace fcbelt {

namespace {

// The search minimises the sum of score^p over the check points, where a
// score is an error over what the search aims at: close to minimising the
// worst score, yet every point's error still pulls a little, so that
// moves away from the worst point are judged too. p grows in steps, each
// step evening out the worst errors further.
constexpr int score_powers[] = {16, 32, 64};
// Beyond this a score only says "far too large"; capping keeps its power
// finite while the grid is still sparse.
constexpr double largest_weight = 1e250;

// The search aims below the far and the sign targets, which it meets only
// on its own check points, so that the denser ones of the check meet them
// too.
constexpr double far_aim = 0.4 * far_tolerance;
constexpr double dip_aim = 0.4 * dip_tolerance;

// The REAL just below the largest: only the largest is extrapolated, by
// one step, and unlike the largest its nine digits can be typed back.
const float last_grid_value = std::nextafter(FLT_MAX, 0.0f);

// Where a kink's neighbours start out; the search moves them. The left
// one has to come close: the dip below zero just left of the kink grows
// with the square of its distance.
constexpr double kink_left_distance = 1.0 / 4096;
constexpr double kink_right_distance = 1.0 / 512;

// The kinks' grid values are the REALs next to irrational numbers, and
// their neighbours lie close. A neighbour a whole number of REAL steps of
// the entries away (2^-21 is one for entries up to 8) gets the same
// rounding error in every straight column as the kink's own entry, so
// the close pair's slope there is exact instead of a rounding error
// divided by a small gap.
constexpr double kink_step = 1.0 / (1 << 21);
constexpr double kink_zone = 1.0 / 16;

// Rounds of exchanges and moves end when one gains less than this share
// of the sum of weights, or after max_rounds.
constexpr double least_gain = 1e-4;
constexpr int max_rounds = 60;

struct Target {
    float x;
    BeltRow exact;
    std::array<double, end_count> tolerance;
    bool watch_sign;  // lower ends below zero score against dip_aim
};

std::vector<Target> targets_of(const std::vector<CheckPoint>& near,
                               const std::vector<CheckPoint>& far) {
    std::vector<Target> targets;
    for (const CheckPoint& point : near) {
        Target t{point.x, point.exact, {}, true};
        t.tolerance.fill(near_tolerance);
        targets.push_back(t);
    }
    for (const CheckPoint& point : far) {
        Target t{point.x, point.exact, {}, false};
        for (int k = 0; k < end_count; ++k) t.tolerance[k] = far_aim * std::fabs(point.exact[k]);
        targets.push_back(t);
    }
    std::stable_sort(targets.begin(), targets.end(),
                     [](const Target& a, const Target& b) { return a.x < b.x; });
    return targets;
}

// A grid under construction and the score it earns at every target.
struct State {
    std::vector<float> grid;
    std::array<std::vector<float>, end_count> ends;
    std::vector<bool> fixed;
    std::vector<double> score;

    int size() const { return static_cast<int>(grid.size()); }
};

// A changed grid and what the change did to the sum of weights. Only the
// targets the change reaches are summed, so that a huge score elsewhere
// cannot swamp the difference.
struct Trial {
    State state;
    double gain = 0;  // decrease of the sum of weights
};

class Search {
public:
    Search(std::vector<Target> targets, std::vector<float> kinks)
        : targets_(std::move(targets)), kinks_(std::move(kinks)) {}

    // Where a point meant for x goes: a short binary fraction, or near a
    // kink a whole number of steps of kink_step away from it.
    float place(double x) const {
        for (float kink : kinks_)
            if (std::fabs(x - kink) < kink_zone)
                return static_cast<float>(kink + std::round((x - kink) / kink_step) * kink_step);
        return grid_value_near(x);
    }

    void set_power(int power) {
        power_ = power;
        cap_ = std::pow(largest_weight, 1.0 / power);
    }

    State start(const std::vector<float>& fixed_values, const std::vector<float>& free_values) const {
        State s;
        for (float x : fixed_values) add(s, x, true);
        for (float x : free_values) add(s, x, false);
        rescore(s, 0, static_cast<int>(targets_.size()));
        return s;
    }

    double total(const State& s) const {
        double sum = 0;
        for (double score : s.score) sum += weight(score);
        return sum;
    }


    // Adds the point, near the worst target, that gains most.
    Trial refined(const State& s) const {
        const int i = interval_of(s, targets_[worst_target(s)].x);
        Trial best;
        bool found = false;
        for (int j = std::max(0, i - 1); j <= std::min(s.size() - 2, i + 1); ++j) {
            for (int eighth = 1; eighth < 8; ++eighth) {
                const float x = place(s.grid[j] + eighth * (double(s.grid[j + 1]) - s.grid[j]) / 8);
                if (!(x > s.grid[j] && x < s.grid[j + 1])) continue;
                Trial trial = inserted(s, x);
                if (!found || trial.gain > best.gain) best = std::move(trial), found = true;
            }
        }
        if (!found) throw std::runtime_error("no room for another grid point");
        return best;
    }

    // Takes a point from where it helps least to where the error is worst.
    bool improve_by_exchange(State& s, int& exchanges) const {
        const Trial grown = refined(s);
        Trial best;
        bool found = false;
        for (int j = 0; j < grown.state.size(); ++j) {
            if (grown.state.fixed[j]) continue;
            Trial trial = removed(grown.state, j);
            if (!found || trial.gain > best.gain) best = std::move(trial), found = true;
        }
        if (!found || !(grown.gain + best.gain > 0)) return false;
        s = std::move(best.state);
        ++exchanges;
        return true;
    }

    // Moves single points towards a neighbour, from half the gap down to a
    // thirty-second of it, while that gains.
    bool improve_by_moves(State& s, int& moves) const {
        bool improved = false;
        for (int j = 0; j < s.size(); ++j) {
            if (s.fixed[j]) continue;
            for (double fraction = 0.5; fraction >= 1.0 / 256; fraction /= 2) {
                for (int side : {-1, 1}) {
                    const float x = place(s.grid[j] + fraction * (double(s.grid[j + side]) - s.grid[j]));
                    if (try_change(s, {{j, x}})) ++moves, improved = true;
                }
            }
        }
        return improved;
    }

    // Draws the points around one point in towards it, or pushes them out,
    // all together. A kink needs this: its error on one side grows when
    // only the neighbour on the other side comes closer.
    bool improve_by_zooms(State& s, int& zooms) const {
        bool improved = false;
        for (int j = 0; j < s.size(); ++j) {
            for (int reach : {1, 2}) {
                for (double factor : {0.5, 0.8, 1.25, 2.0}) {
                    std::vector<std::pair<int, float>> change;
                    for (int i = std::max(0, j - reach); i <= std::min(s.size() - 1, j + reach); ++i)
                        if (i != j && !s.fixed[i])
                            change.push_back({i, place(s.grid[j] + factor * (double(s.grid[i]) - s.grid[j]))});
                    if (!change.empty() && try_change(s, change)) ++zooms, improved = true;
                }
            }
        }
        return improved;
    }

private:
    std::vector<Target> targets_;
    std::vector<float> kinks_;
    int power_ = score_powers[0];
    double cap_ = std::pow(largest_weight, 1.0 / score_powers[0]);

    double weight(double score) const { return std::pow(std::fmin(score, cap_), power_); }

    static int interval_of(const State& s, float x) {
        const auto above = std::upper_bound(s.grid.begin(), s.grid.end(), x);
        return std::clamp(static_cast<int>(above - s.grid.begin()) - 1, 0, s.size() - 2);
    }

    int worst_target(const State& s) const {
        return static_cast<int>(std::max_element(s.score.begin(), s.score.end()) - s.score.begin());
    }

    static void set_point(State& s, int j, float x) {
        const BeltRow row = belt_row(x);
        s.grid[j] = x;
        for (int k = 0; k < end_count; ++k) s.ends[k][j] = static_cast<float>(row[k]);
    }

    static void add(State& s, float x, bool fixed) {
        const int at = static_cast<int>(std::lower_bound(s.grid.begin(), s.grid.end(), x) - s.grid.begin());
        s.grid.insert(s.grid.begin() + at, x);
        for (auto& column : s.ends) column.insert(column.begin() + at, 0.0f);
        s.fixed.insert(s.fixed.begin() + at, fixed);
        set_point(s, at, x);
    }

    // DIVDIF of order 2 at x uses the two grid points on either side of
    // it, so a change at points first..last reaches no target beyond the
    // points two further out (and, at either end of the grid, all that is
    // extrapolated).
    std::pair<int, int> targets_near(const State& s, int first, int last) const {
        const auto lo = first - 2 < 0 ? targets_.begin()
                                      : std::lower_bound(targets_.begin(), targets_.end(), s.grid[first - 2],
                                                         [](const Target& t, float x) { return t.x < x; });
        const auto hi = last + 2 >= s.size() ? targets_.end()
                                             : std::upper_bound(targets_.begin(), targets_.end(), s.grid[last + 2],
                                                                [](float x, const Target& t) { return x < t.x; });
        return {static_cast<int>(lo - targets_.begin()), static_cast<int>(hi - targets_.begin())};
    }

    // Scores targets lo..hi-1 anew; returns the gain.
    double rescore(State& s, int lo, int hi) const {
        if (s.score.size() != targets_.size()) s.score.assign(targets_.size(), 0.0);
        double gain = 0;
        for (int t = lo; t < hi; ++t) {
            const Target& target = targets_[t];
            double score = 0;
            for (int k = 0; k < end_count; ++k) {
                const float got = DIVDIF(s.ends[k].data(), s.grid.data(), s.size(), target.x, interpolation_order);
                score = std::fmax(score, std::fabs(got - target.exact[k]) / target.tolerance[k]);
                if (target.watch_sign && k % 2 == 0) score = std::fmax(score, -got / dip_aim);
            }
            gain += weight(s.score[t]) - weight(score);
            s.score[t] = score;
        }
        return gain;
    }

    Trial inserted(const State& s, float x) const {
        Trial trial{s, 0};
        add(trial.state, x, false);
        const int j = static_cast<int>(std::lower_bound(trial.state.grid.begin(), trial.state.grid.end(), x) -
                                       trial.state.grid.begin());
        const auto [lo, hi] = targets_near(trial.state, j, j);
        trial.gain = rescore(trial.state, lo, hi);
        return trial;
    }

    Trial removed(const State& s, int j) const {
        const auto [lo, hi] = targets_near(s, j, j);
        Trial trial{s, 0};
        State& next = trial.state;
        next.grid.erase(next.grid.begin() + j);
        for (auto& column : next.ends) column.erase(column.begin() + j);
        next.fixed.erase(next.fixed.begin() + j);
        trial.gain = rescore(next, lo, hi);
        return trial;
    }

    // Moves the given points (in increasing order of index) and keeps the
    // result if it gains and leaves the grid strictly increasing.
    bool try_change(State& s, const std::vector<std::pair<int, float>>& change) const {
        State next = s;
        bool moved = false;
        for (const auto& [j, x] : change) {
            moved = moved || x != s.grid[j];
            next.grid[j] = x;
        }
        if (!moved) return false;
        for (int i = std::max(1, change.front().first); i <= std::min(s.size() - 1, change.back().first + 1); ++i)
            if (!(next.grid[i - 1] < next.grid[i])) return false;
        for (const auto& [j, x] : change) set_point(next, j, x);
        const auto [lo, hi] = targets_near(next, change.front().first, change.back().first);
        if (!(rescore(next, lo, hi) > 0)) return false;
        s = std::move(next);
        return true;
    }
};

}  // namespace

float grid_value_near(double x) {
    // 2^-16 below 2, then one binary digit coarser for each doubling.
    const int exponent = std::max(0, static_cast<int>(std::floor(std::log2(std::fabs(x) + 1e-300))));
    const double quantum = std::ldexp(1.0, exponent - 16);
    return static_cast<float>(std::round(x / quantum) * quantum);
}

// The REAL at or just below the kink, where the lower end is still exactly
// zero. One just above would hold a tiny positive end, and a close left
// neighbour would magnify it into a dip below zero over the whole
// interval before.
float kink_grid_value(double kink) {
    const float nearest = static_cast<float>(kink);
    return nearest <= kink ? nearest : std::nextafter(nearest, -HUGE_VALF);
}

std::vector<float> search_grid(const std::vector<CheckPoint>& near,
                               const std::vector<CheckPoint>& far,
                               SearchReport* report) {
    std::vector<float> kinks;
    for (const Level& level : levels()) kinks.push_back(kink_grid_value(lower_end_leaves_zero(level)));
    Search search(targets_of(near, far), kinks);

    // The grid starts where the checks start and ends at the top. There
    // every entry is the grid value itself (x0 -+ z rounds to x0), so the
    // first divided differences to the last row are exactly 1 and the
    // second ones exactly 0: from the last row but one up, every ratio
    // follows the line of slope 1 through that row's entries, which is
    // the exact belt once that row lies where the ends are straight.
    std::vector<float> fixed{near.front().x, last_grid_value};
    std::vector<float> free;
    // A kink, where a lower end leaves zero with a jump in slope, must be a
    // grid point, and it needs neighbours on both sides at once: one alone
    // on either side makes the error on the other side worse, so a search
    // that adds one point at a time would never place them.
    for (float kink : kinks) {
        fixed.push_back(kink);
        free.push_back(search.place(kink - kink_left_distance));
        free.push_back(search.place(kink + kink_right_distance));
    }
    // And two to start from where the far right joins: just past 2 z99,
    // where the last end turns straight, and short of 10.
    free.push_back(grid_value_near(2 * central_half_width(levels().back()) + 0.01));
    free.push_back(grid_value_near(near.back().x - 2));

    SearchReport counts;
    State s = search.start(fixed, free);
    while (s.size() < grid_points) {
        s = search.refined(s).state;
        ++counts.insertions;
    }
    for (int power : score_powers) {
        search.set_power(power);
        double total = search.total(s);
        for (int round = 0; round < max_rounds; ++round) {
            while (search.improve_by_exchange(s, counts.exchanges)) {
            }
            search.improve_by_zooms(s, counts.zooms);
            search.improve_by_moves(s, counts.moves);
            const double now = search.total(s);
            ++counts.rounds;
            if (total - now < least_gain * total) break;
            total = now;
        }
    }
    if (report) *report = counts;
    return s.grid;
}

}  // namespace fcbelt
