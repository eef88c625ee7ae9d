// The yardstick the other micro-benchmarks are read against: one write(2)
// of a 45-byte result record to a regular file, as norvex makes per record.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace {

void BM_OneRecordWrite(benchmark::State& state) {
    char path[] = "/tmp/norvex_bench_XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) {
        state.SkipWithError("no temporary file");
        return;
    }
    unlink(path);
    char record[45];
    std::memset(record, ' ', sizeof record);
    long written = 0;
    for (auto _ : state) {
        if (write(fd, record, sizeof record) != static_cast<ssize_t>(sizeof record)) {
            state.SkipWithError("write failed");
            break;
        }
        // Keep the file small; one seek in a million writes costs nothing.
        if (++written % (1 << 20) == 0) lseek(fd, 0, SEEK_SET);
    }
    close(fd);
}
BENCHMARK(BM_OneRecordWrite);

}  // namespace
