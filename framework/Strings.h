#pragma once
// Lists of texts: TStrings is what controls show (items of a list or combo box, lines
// of a memo); TStringList keeps them in memory. Indices out of range raise
// EStringListError.

#include <stdexcept>
#include <string>
#include <vector>

class EStringListError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

class TStrings {
public:
    virtual ~TStrings() = default;
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& value) = 0;
    virtual void Insert(int index, const std::string& value) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    std::string operator[](int index) const { return Get(index); }
    int Add(const std::string& value) {
        Insert(Count(), value);
        return Count() - 1;
    }
    int IndexOf(const std::string& value) const;
    // The texts each ended by CR LF; setting splits at CR LF, CR or LF.
    std::string Text() const;
    void SetText(const std::string& text);
    void Assign(const std::vector<std::string>& items);
    std::vector<std::string> ToVector() const;

protected:
    void Check(int index, int limit) const;
};

class TStringList : public TStrings {
public:
    int Count() const override { return static_cast<int>(items_.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& value) override;
    void Insert(int index, const std::string& value) override;
    void Delete(int index) override;
    void Clear() override { items_.clear(); }

private:
    std::vector<std::string> items_;
};
