#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/Recdata.h"
#include "model/read_base.h"

namespace tavik {

// The version of a response file from its whole text: 1 for "ODP;", 3 for "OD3;", -1 for
// anything else, an empty text included.
int responseFileVersion(std::string_view text);

class ReadOdp;
// The reader of a response file's text for the configured undertaking code: version 1 or 3 by
// the text's start, null for a text that is no response file.
std::unique_ptr<ReadOdp> responseReaderFor(std::string_view text, std::string kodZU);

// What a record reader raises when its line is refused (UTF-8).
struct ResponseMessages {
    const char* code;         // the undertaking code differs from the configured one
    const char* checksum;     // raised as ECRC32Err
    const char* readFailure;  // a field could not be read
};

// One field of a response line: where it goes and how long it may be.
template <class R>
struct ResponseColumn {
    Field R::*member;
    std::uint16_t maximum;
};

// Reads a version-1 response file: one record per line, each line closed by the checksum of
// the text before it. The records are not checked; they are kept as they came, upper-cased.
//
// The first failure ends the reading: the list is emptied and the failure (tavik::Exception,
// ECRC32Err for a checksum) is raised with "Wystąpił błąd w linii N\n" in front of its message.
class ReadOdp : public read_base {
public:
    // The undertaking code the program is configured with (code page 1250).
    explicit ReadOdp(std::string kodZU);
    ~ReadOdp() override;
    ReadOdp(const ReadOdp&) = delete;
    ReadOdp& operator=(const ReadOdp&) = delete;

    // Reads every line into the entry list, which starts empty.
    virtual void CzytajLinie(const std::vector<std::string>& lines);
    // Splits a whole file's text into lines and reads them.
    void Czytaj(std::string_view text);

    const std::vector<ReadRecord>& entries() const { return entries_; }
    // Hands the read records over to the caller; the list is empty afterwards.
    std::vector<ReadRecord> TakeRecords();

    static const ResponseMessages kOdpowiedzMessages;
    static const ResponseMessages kAgentMessages;
    static const ResponseMessages kZarzadMessages;
    static const ResponseMessages kPracownikMessages;
    static const ResponseMessages kPelnomocnictwoMessages;
    static const ResponseMessages kPolisaMessages;
    // A line whose tag field is empty or longer than three characters.
    static const char* const kTagMessage;

protected:
    // The header line's tag is the version's own.
    ReadOdp(std::string kodZU, std::string_view headerTag);

    // One reader per tag; each appends one entry.
    virtual void CzytajOdpowiedz();
    virtual void CzytajAgenta();
    virtual void CzytajPracownika();
    virtual void CzytajPolise();
    virtual void CzytajPelnomocnictwo();
    virtual void CzytajCzlonkaZarzadu();

    // The agent line of either layout: version 3 has two more fields before the status.
    std::unique_ptr<TRecAgentOdp> readAgentLine(bool version3Fields);
    // Links the agent to the current header, makes it the current agent and appends it.
    TRecAgentOdp* appendAgent(std::unique_ptr<TRecAgentOdp> agent);

    std::vector<ReadRecord> entries_;
    TRecOdpowiedz* odpowiedz_ = nullptr;  // the last header read
    TRecAgentOdp* agentOdp_ = nullptr;    // the last agent read
    std::string kodZU_;

private:
    // The steps every line shares around the record's own fields: the code (kept in
    // codeMember when there is one), the reference, the fields of the parts in order, the
    // checksum.
    template <class R>
    std::unique_ptr<R> readRecord(const ResponseMessages& messages, bool hasReference,
                                  Field R::*codeMember,
                                  std::initializer_list<std::span<const ResponseColumn<R>>> parts);
    void readChecksum(const ResponseMessages& messages);
    void restart();

    std::string headerTag_;
};

}  // namespace tavik
