#include "textio/list_write.hpp"

#include "textio/real_text.hpp"
#include "textio/run_state.hpp"

namespace textio {

namespace {

constexpr std::size_t real_width = 15;
constexpr std::size_t real_width_after_real = 16;

}  // namespace

ListWrite::ListWrite() {
    begin_statement(StatementWord::write, console_name);
    begin_record();
}

void ListWrite::begin_record() {
    record_.pending_blanks = 1;
    room_ = record_room;
}

// A record that runs out of room is written and the items go on in a new
// one with its own leading blank.
void ListWrite::continue_record() {
    record_.write();
    begin_record();
}

void ListWrite::character(std::string_view constant) {
    // Only the leading blank of a fresh record survives in front of a
    // CHARACTER item.
    if (record_.pending_blanks != 1) record_.pending_blanks = 0;
    while (constant.size() >= room_) {
        record_.place(constant.substr(0, room_));
        constant.remove_prefix(room_);
        continue_record();
    }
    record_.place(constant);
    room_ -= constant.size();
    after_real_ = false;
}

void ListWrite::real(float value) {
    const RealText text = real_text(value);
    const std::size_t width = after_real_ ? real_width_after_real : real_width;
    after_real_ = true;
    record_.pending_blanks += width > text.size ? width - text.size : 0;
    if (width >= room_) {
        // The field moves whole to the next record with its justifying
        // blanks, the first of which stands for the new record's leading one.
        const std::size_t owed = record_.pending_blanks;
        record_.pending_blanks = 0;
        record_.write();
        room_ = record_room;
        record_.pending_blanks = owed;
    }
    record_.place(text.view());
    room_ -= width;
}

void ListWrite::end() {
    record_.write();
    end_statement();
}

}  // namespace textio
