// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/record_layout.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "database/text_encoding.h"

namespace quintaro {

namespace {

// Visits every field of a record in file order. The one list of fields serves the encoder, the
// decoder and the layout table alike, so they cannot disagree. `Record` is PersonRecord or
// const PersonRecord; the visitor gets (name, index, part, field, width) for texts and reserved
// bytes, (name, index, part, field) for the rest.
template <class Record, class Visitor>
void VisitFields(Record& r, Visitor& v) {
    v.text("record key", 0, "", r.recordKey, 16);
    v.text("primary name", 0, "", r.primaryName, 60);
    v.text("first name", 0, "", r.firstName, 20);
    v.text("middle name", 0, "", r.middleName, 20);
    v.text("last name", 0, "", r.lastName, 20);
    for (int i = 0; i < 2; ++i) {
        v.text("alternate name", i + 1, "name", r.alternateNames[i].text, 60);
        v.date("alternate name", i + 1, "date", r.alternateNames[i].date);
    }
    v.text("member number", 0, "", r.memberNumber, 6);
    v.text("sex", 0, "", r.sex, 1);
    v.reserved("reserved text", 0, "", r.reservedText, ReservedTextWidth);
    v.int16("reserved number", 0, "", r.reservedNumber);
    v.text("birth date for sorting", 0, "", r.birthDateForSorting, 10);
    v.date("birth date", 0, "", r.birthDate);
    v.byte("birth hour", 0, "", r.birthHour);
    v.byte("birth minute", 0, "", r.birthMinute);
    v.text("AM/PM", 0, "", r.amPm, 2);
    v.single("time zone", 0, "", r.timeZone);
    v.text("birth place", 0, "", r.birthPlace, 30);
    v.reserved("reserved block", 0, "", r.reservedBlock, ReservedBlockWidth);
    for (int i = 0; i < 4; ++i) {
        auto& a = r.addresses[i];
        v.text("address", i + 1, "address 1", a.address1, 30);
        v.text("address", i + 1, "address 2", a.address2, 30);
        v.text("address", i + 1, "address 3", a.address3, 30);
        v.text("address", i + 1, "city", a.city, 30);
        v.text("address", i + 1, "state", a.state, 30);
        v.text("address", i + 1, "country", a.country, 30);
        v.text("address", i + 1, "zip code", a.zipCode, 30);
        v.date("address", i + 1, "effective date", a.effectiveDate);
    }
    auto datedTexts = [&](const char* name, auto& list, size_t width) {
        for (int i = 0; i < static_cast<int>(list.size()); ++i) {
            v.text(name, i + 1, "text", list[i].text, width);
            v.date(name, i + 1, "date", list[i].date);
        }
    };
    datedTexts("home phone", r.homePhones, 20);
    datedTexts("work phone", r.workPhones, 20);
    datedTexts("cell phone", r.cellPhones, 20);
    datedTexts("e-mail", r.emails, 60);
    for (int i = 0; i < 20; ++i) v.text("comment", i + 1, "", r.comments[i], 120);
    for (int i = 0; i < 20; ++i) {
        v.text("historical date", i + 1, "date", r.historicalDates[i].date, 10);
        v.text("historical date", i + 1, "comment", r.historicalDates[i].comment, 60);
    }
    for (int i = 0; i < 30; ++i) {
        v.text("numeric historical data", i + 1, "data", r.historicalData[i].data, 30);
        v.text("numeric historical data", i + 1, "comment", r.historicalData[i].comment, 15);
    }
}

template <class Unsigned>
void PutLittleEndian(char* out, Unsigned value) {
    for (size_t i = 0; i < sizeof(Unsigned); ++i)
        out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

template <class Unsigned>
Unsigned GetLittleEndian(const char* in) {
    Unsigned value = 0;
    for (size_t i = 0; i < sizeof(Unsigned); ++i)
        value |= static_cast<Unsigned>(static_cast<unsigned char>(in[i])) << (8 * i);
    return value;
}

struct Encoder {
    char* out;
    size_t offset = 0;

    void text(const char*, int, const char*, const std::string& field, size_t width) {
        std::string bytes = Utf8ToFileText(field, width);
        std::memcpy(out + offset, bytes.data(), bytes.size());
        std::memset(out + offset + bytes.size(), ' ', width - bytes.size());
        offset += width;
    }
    void reserved(const char*, int, const char*, const std::string& field, size_t width) {
        size_t n = std::min(field.size(), width);
        std::memcpy(out + offset, field.data(), n);
        std::memset(out + offset + n, 0, width - n);
        offset += width;
    }
    void date(const char*, int, const char*, double field) {
        PutLittleEndian(out + offset, std::bit_cast<uint64_t>(field));
        offset += 8;
    }
    void single(const char*, int, const char*, float field) {
        PutLittleEndian(out + offset, std::bit_cast<uint32_t>(field));
        offset += 4;
    }
    void int16(const char*, int, const char*, int16_t field) {
        PutLittleEndian(out + offset, static_cast<uint16_t>(field));
        offset += 2;
    }
    void byte(const char*, int, const char*, uint8_t field) {
        out[offset++] = static_cast<char>(field);
    }
};

struct Decoder {
    std::string_view in;
    size_t offset = 0;

    // The field's bytes, or nothing when the input ends before the field does.
    const char* take(size_t width) {
        const char* at = offset + width <= in.size() ? in.data() + offset : nullptr;
        offset += width;
        return at;
    }
    void text(const char*, int, const char*, std::string& field, size_t width) {
        const char* at = take(width);
        if (!at) return;
        std::string_view bytes(at, width);
        size_t end = bytes.find_last_not_of(' ');
        field = FileTextToUtf8(bytes.substr(0, end == std::string_view::npos ? 0 : end + 1));
    }
    void reserved(const char*, int, const char*, std::string& field, size_t width) {
        if (const char* at = take(width)) field.assign(at, width);
    }
    void date(const char*, int, const char*, double& field) {
        if (const char* at = take(8)) field = std::bit_cast<double>(GetLittleEndian<uint64_t>(at));
    }
    void single(const char*, int, const char*, float& field) {
        if (const char* at = take(4)) field = std::bit_cast<float>(GetLittleEndian<uint32_t>(at));
    }
    void int16(const char*, int, const char*, int16_t& field) {
        if (const char* at = take(2)) field = static_cast<int16_t>(GetLittleEndian<uint16_t>(at));
    }
    void byte(const char*, int, const char*, uint8_t& field) {
        if (const char* at = take(1)) field = static_cast<uint8_t>(*at);
    }
};

struct LayoutRecorder {
    std::vector<RecordField> fields;
    size_t offset = 0;

    void add(const char* name, int index, const char* part, size_t width, FieldKind kind) {
        fields.push_back({name, index, part, offset, width, kind});
        offset += width;
    }
    void text(const char* n, int i, const char* p, const std::string&, size_t w) {
        add(n, i, p, w, FieldKind::Text);
    }
    void reserved(const char* n, int i, const char* p, const std::string&, size_t w) {
        add(n, i, p, w, FieldKind::Reserved);
    }
    void date(const char* n, int i, const char* p, double) { add(n, i, p, 8, FieldKind::Date); }
    void single(const char* n, int i, const char* p, float) { add(n, i, p, 4, FieldKind::Single); }
    void int16(const char* n, int i, const char* p, int16_t) { add(n, i, p, 2, FieldKind::Int16); }
    void byte(const char* n, int i, const char* p, uint8_t) { add(n, i, p, 1, FieldKind::Byte); }
};

// Hands each text field with its place in the layout to a function; the other fields are passed by.
struct TextWalker {
    const std::function<void(const RecordField&, const std::string&)>& onText;
    size_t bytes;
    const std::vector<RecordField>& layout = RecordLayout();
    size_t next = 0;  // index into the layout

    void text(const char*, int, const char*, const std::string& field, size_t) {
        const RecordField& place = layout[next++];
        if (place.offset + place.width <= bytes) onText(place, field);
    }
    void reserved(const char*, int, const char*, const std::string&, size_t) { ++next; }
    void date(const char*, int, const char*, double) { ++next; }
    void single(const char*, int, const char*, float) { ++next; }
    void int16(const char*, int, const char*, int16_t) { ++next; }
    void byte(const char*, int, const char*, uint8_t) { ++next; }
};

}  // namespace

void ForEachTextField(const PersonRecord& record,
                      const std::function<void(const RecordField&, const std::string&)>& onText,
                      size_t bytes) {
    TextWalker walker{onText, bytes};
    VisitFields(record, walker);
}

const std::vector<RecordField>& RecordLayout() {
    static const std::vector<RecordField> layout = [] {
        LayoutRecorder recorder;
        const PersonRecord record;
        VisitFields(record, recorder);
        return recorder.fields;
    }();
    return layout;
}

void EncodeRecordInto(const PersonRecord& record, char* out) {
    Encoder encoder{out};
    VisitFields(record, encoder);
}

std::string EncodeRecord(const PersonRecord& record) {
    std::string bytes(RecordSize, ' ');
    EncodeRecordInto(record, bytes.data());
    return bytes;
}

PersonRecord DecodeRecord(std::string_view bytes) {
    PersonRecord record;
    Decoder decoder{bytes};
    VisitFields(record, decoder);
    return record;
}

PersonRecord BlankRecord() {
    return PersonRecord{};
}

size_t RecordHeadSize() {
    static const size_t size = [] {
        const auto& layout = RecordLayout();
        auto place = std::find_if(layout.begin(), layout.end(),
                                  [](const RecordField& f) { return f.name == "birth place"; });
        return place->offset + place->width;
    }();
    return size;
}

}  // namespace quintaro
