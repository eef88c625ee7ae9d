#include "table_fixture.hpp"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace e2e {

std::vector<TableRow> simple_rows() {
    std::vector<TableRow> rows;
    for (int i = 0; i < 62; ++i) {
        TableRow row;
        const float x = -4.0f + 0.25f * static_cast<float>(i);
        row.v[0] = x;
        for (int k = 1; k < 9; ++k) row.v[k] = x * 0.5f + static_cast<float>(k) * 0.125f;
        rows.push_back(row);
    }
    return rows;
}

std::string table_text(const std::vector<TableRow>& rows, const std::string& line_end) {
    std::string text;
    for (int h = 1; h <= 7; ++h) text += "header record " + std::to_string(h) + line_end;
    for (const TableRow& row : rows) {
        char line[256];
        int n = 0;
        for (float v : row.v) n += std::snprintf(line + n, sizeof line - n, " %.9g", v);
        text.append(line, static_cast<std::size_t>(n));
        text += line_end;
    }
    return text;
}

std::vector<TableRow> parse_table(const std::string& text) {
    std::vector<TableRow> rows;
    std::istringstream in(text);
    std::string line;
    for (int h = 0; h < 7; ++h) std::getline(in, line);
    while (rows.size() < 62 && std::getline(in, line)) {
        TableRow row;
        const char* p = line.c_str();
        for (float& v : row.v) {
            char* end = nullptr;
            v = std::strtof(p, &end);
            p = end;
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace e2e
