#pragma once

// The templates of JsonFieldReader; included by its header only.

template <class Record, std::size_t N>
void JsonFieldReader::ReadDocument(const std::array<Field<Record>, N>& fields, Record& record) {
    const std::size_t first = m_text.find_first_not_of(" \t\r\n");
    const char* start = m_text.data() + (first == std::string_view::npos ? m_text.size() : first);
    simdjson::ondemand::object object;
    if (const auto error = m_document.get_object().get(object)) {
        if (error == simdjson::INCORRECT_TYPE)
            Fail("the " + m_what + " must be a JSON object", start);
        FailParser(error);
    }
    ReadFields(object, start, fields, record);
    const char* after = nullptr;
    if (m_document.current_location().get(after) == simdjson::SUCCESS) {
        FailTextAfter(after, PathText());
    }
}

template <class Record, std::size_t N>
void JsonFieldReader::ReadObject(Value& value, const std::array<Field<Record>, N>& fields,
                                 Record& record) {
    const char* start = Start(value);
    simdjson::ondemand::object object = Object(value);
    ReadFields(object, start, fields, record);
}

template <class Record, std::size_t N>
void JsonFieldReader::ReadFields(simdjson::ondemand::object& object, const char* start,
                                 const std::array<Field<Record>, N>& fields, Record& record) {
    std::array<std::string_view, N> keys;
    for (std::size_t i = 0; i < N; ++i) keys[i] = fields[i].key;
    std::vector<bool> seen(N);
    std::size_t expected = 0;
    for (auto member : object) {
        simdjson::ondemand::field field;
        if (const auto error = std::move(member).get(field)) FailParser(error);
        const char* keyStart = field.key().raw() - 1;
        std::string_view key;
        if (const auto error = field.unescaped_key().get(key)) FailParser(error);
        const std::size_t index = FieldIndex(key, keys, expected, keyStart);
        if (seen[index]) Fail("the field \"" + std::string(key) + "\" appears twice", keyStart);
        seen[index] = true;
        expected = index + 1;
        m_path.emplace_back(fields[index].key);
        fields[index].read(*this, field.value(), record);
        m_path.pop_back();
    }
    for (std::size_t i = 0; i < N; ++i) seen[i] = seen[i] || fields[i].optional;
    CheckAllSeen(seen, keys, start);
}

template <class ReadElement>
std::size_t JsonFieldReader::ForEachElement(simdjson::ondemand::array& array, ReadElement read) {
    std::size_t index = 0;
    m_path.emplace_back(index);
    for (auto element : array) {
        Value item;
        if (const auto error = std::move(element).get(item)) FailParser(error);
        m_path.back() = index;
        const char first = Start(item)[0];
        if (first == ']' || first == '}') FailTrailingComma(Start(item));
        read(item, index);
        ++index;
    }
    m_path.pop_back();
    return index;
}

template <class Element>
void JsonFieldReader::ReadArray(Value& value, std::vector<Element>& elements,
                                void (*read)(JsonFieldReader&, Value&, Element&)) {
    simdjson::ondemand::array array = Array(value);
    elements.clear();
    ForEachElement(array, [&](Value& item, std::size_t) {
        elements.emplace_back();
        read(*this, item, elements.back());
    });
}

template <class Element, std::size_t N>
void JsonFieldReader::ReadArray(Value& value, std::array<Element, N>& elements,
                                void (*read)(JsonFieldReader&, Value&, Element&)) {
    const char* start = Start(value);
    simdjson::ondemand::array array = Array(value);
    const std::size_t count = ForEachElement(array, [&](Value& item, std::size_t index) {
        if (index >= N)
            Fail("the list holds more than " + std::to_string(N) + " values", Start(item));
        read(*this, item, elements[index]);
    });
    if (count < N) {
        Fail("the list holds " + std::to_string(count) + " values where " + std::to_string(N) +
                 " are needed",
             start);
    }
}
