#include "authoring/quiz_toml.h"

#include <toml++/toml.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iterator>

#include "authoring/file_kinds.h"
#include "authoring/file_io.h"
#include "authoring/text_1252.h"
#include "document/quiz_context.h"

// Messages are for the author's terminal, in UTF-8; the escapes keep their
// bytes exact whatever the compiler's character set.

namespace {

constexpr std::size_t longestText = textSize - 1;

const char *const topLevelKeys[] = {"kind", "title", "author", "explanation", "answers",
                                    "answer_labels", "hints", "background", "protect", "codes",
                                    "question"};
const char *const questionKeys[] = {"prompt", "answer", "second_answer", "hint",
                                    "picture", "answer_picture", "media"};

const char *const hintStyleWords[] = {"aucun", "image-reponse", "indice", "indice-puis-image",
                                      "indices-a-la-fin", "nombre-de-mots"};

struct KindWord {
    const char *word;
    int kind;
};
const KindWord kindWords[] = {
    {"texte", quizText}, {"text", quizText},         {"images", quizPictures},
    {"image", quizPictures}, {"pictures", quizPictures}, {"audio", quizAudio},
    {"video", quizVideo}, {"vid\xC3\xA9o", quizVideo},
};

std::string inQuotes(const std::string &text) { return "\xC2\xAB " + text + " \xC2\xBB"; }

int editDistance(const std::string &a, const std::string &b) {
    std::vector<int> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = int(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (std::size_t j = 1; j <= b.size(); ++j) {
            int above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// Collects the mistakes of one description; every check carries on after a
// mistake so that the author sees them all at once.
class DescriptionReader {
public:
    DescriptionReader(const std::string &path, QuizTomlResult &result)
        : path_(path), folder_(std::filesystem::u8path(path).parent_path()), result_(result) {}

    void read(const toml::table &root);

private:
    std::string path_;
    std::filesystem::path folder_;
    QuizTomlResult &result_;
    QuizDescription &quiz_ = result_.quiz;
    bool kindKnown_ = false;
    bool hintStyleKnown_ = false;

    // "quiz.toml:12: question 3 : message"
    void report(const toml::source_region *where, int question, const std::string &message) {
        std::string line = path_;
        if (where && where->begin.line > 0) line += ":" + std::to_string(where->begin.line);
        line += ": ";
        if (question > 0) line += "question " + std::to_string(question) + " : ";
        result_.errors.push_back(line + message);
    }
    void error(const toml::node *where, int question, const std::string &message) {
        report(where ? &where->source() : nullptr, question, message);
    }

    void checkKeys(const toml::table &table, const char *const *known, std::size_t count, int question);
    void readHeader(const toml::table &root);
    void readKind(const toml::node *node);
    void readAnswers(const toml::node *node);
    void readAnswerLabels(const toml::node *node);
    void readHintStyle(const toml::node *node);
    void readBackground(const toml::node *node);
    void readProtect(const toml::node *node);
    void readCodes(const toml::node *node);
    void readQuestions(const toml::node *node);
    void readQuestion(const toml::table &table, int number);
    void checkHint(const toml::table &table, const QuizQuestionDescription &question, int number);
    void checkFiles(const toml::table &table, QuizQuestionDescription &question, int number);

    bool readText(const toml::table &table, const char *key, int question, std::string &out);
    bool convertText(const toml::node &node, const std::string &what, int question, std::string &out,
                     bool isCode);
    bool readFileKey(const toml::table &table, const char *key, int question, std::string &path);
};

void DescriptionReader::checkKeys(const toml::table &table, const char *const *known,
                                  std::size_t count, int question) {
    for (auto &&[key, node] : table) {
        std::string name(key.str());
        if (std::find_if(known, known + count, [&](const char *k) { return name == k; }) !=
            known + count)
            continue;
        std::string message = "cl\xC3\xA9 inconnue " + inQuotes(name);
        for (std::size_t i = 0; i < count; ++i)
            if (editDistance(name, known[i]) <= 2) {
                message += " (vouliez-vous dire " + inQuotes(known[i]) + " ?)";
                break;
            }
        report(key.source().begin.line > 0 ? &key.source() : &node.source(), question, message);
    }
}

// Converts and checks one text: Windows-1252, at most 259 characters, no
// "|" (it ends a text in the stream) and no control characters. Codes may
// hold "|" but no line break, since a line break ends a code.
bool DescriptionReader::convertText(const toml::node &node, const std::string &what, int question,
                                    std::string &out, bool isCode) {
    const std::string *utf8 = node.as_string() ? &node.as_string()->get() : nullptr;
    if (!utf8) {
        error(&node, question, what + " doit \xC3\xAAtre un texte entre guillemets");
        return false;
    }
    Text1252Result converted = utf8ToWindows1252(*utf8);
    if (!converted.ok) {
        error(&node, question, what + " : " + converted.problem);
        return false;
    }
    const std::string &text = converted.text;
    if (isCode && text.find_first_of("\r\n") != std::string::npos) {
        error(&node, question, what + " ne peut pas contenir de retour \xC3\xA0 la ligne");
        return false;
    }
    if (!isCode && text.find('|') != std::string::npos) {
        error(&node, question, what + " ne peut pas contenir " + inQuotes("|") +
                                   " (il termine les textes du quiz)");
        return false;
    }
    if (std::any_of(text.begin(), text.end(), [](char c) { return std::uint8_t(c) < 0x20; })) {
        error(&node, question, what + " contient un caract\xC3\xA8re de contr\xC3\xB4le "
                                      "(tabulation, retour \xC3\xA0 la ligne\xE2\x80\xA6)");
        return false;
    }
    if (text.size() > longestText) {
        error(&node, question, what + " est trop long : " + std::to_string(text.size()) +
                                   " caract\xC3\xA8res, " + std::to_string(longestText) + " au plus");
        return false;
    }
    out = text;
    return true;
}

bool DescriptionReader::readText(const toml::table &table, const char *key, int question,
                                 std::string &out) {
    const toml::node *node = table.get(key);
    return node && convertText(*node, inQuotes(key), question, out, false);
}

void DescriptionReader::readKind(const toml::node *node) {
    if (!node) {
        error(nullptr, 0, inQuotes("kind") + " manquant : texte, images, audio ou video");
        return;
    }
    const std::string *word = node->as_string() ? &node->as_string()->get() : nullptr;
    for (const KindWord &known : kindWords)
        if (word && *word == known.word) {
            quiz_.kind = known.kind;
            kindKnown_ = true;
            return;
        }
    error(node, 0, inQuotes("kind") + " doit valoir \"texte\", \"images\", \"audio\" ou \"video\"");
}

void DescriptionReader::readAnswers(const toml::node *node) {
    if (!node) return;
    std::int64_t value = node->is_integer() ? *node->value<std::int64_t>() : 0;
    if (value != 1 && value != 2) {
        error(node, 0, inQuotes("answers") + " doit valoir 1 ou 2 (r\xC3\xA9ponses par question)");
        return;
    }
    quiz_.answersPerQuestion = int(value);
    if (kindKnown_ && quiz_.kind == quizText && quiz_.answersPerQuestion == 2)
        error(node, 0, "un quiz texte n'a qu'une case de r\xC3\xA9ponse par question : "
                       "answers = 2 demande un quiz d'images, audio ou video");
}

void DescriptionReader::readAnswerLabels(const toml::node *node) {
    if (!node) return;
    const toml::array *labels = node->as_array();
    if (!labels || labels->size() != 2) {
        error(node, 0, inQuotes("answer_labels") + " doit \xC3\xAAtre une liste de deux textes, "
                       "par exemple [\"Ville\", \"Pays\"]");
        return;
    }
    convertText(*labels->get(0), inQuotes("answer_labels") + " (premier)", 0, quiz_.firstAnswerLabel,
                false);
    convertText(*labels->get(1), inQuotes("answer_labels") + " (second)", 0, quiz_.secondAnswerLabel,
                false);
}

void DescriptionReader::readHintStyle(const toml::node *node) {
    if (!node) {
        hintStyleKnown_ = true;
        return;
    }
    if (node->is_integer()) {
        std::int64_t style = *node->value<std::int64_t>();
        if (style >= 0 && style <= highestHintStyle) {
            quiz_.hintStyle = int(style);
            hintStyleKnown_ = true;
            return;
        }
    } else if (node->is_string()) {
        const std::string &word = node->as_string()->get();
        for (int style = 0; style <= highestHintStyle; ++style)
            if (hintStyleWord(style) && word == hintStyleWord(style)) {
                quiz_.hintStyle = style;
                hintStyleKnown_ = true;
                return;
            }
    }
    error(node, 0, inQuotes("hints") + " doit valoir \"aucun\", \"image-reponse\", \"indice\", "
                   "\"indice-puis-image\", \"indices-a-la-fin\", \"nombre-de-mots\" "
                   "ou un nombre de 0 \xC3\xA0 6");
}

void DescriptionReader::readBackground(const toml::node *node) {
    if (!node) return;
    const std::string *text = node->as_string() ? &node->as_string()->get() : nullptr;
    bool valid = text && text->size() == 7 && (*text)[0] == '#' &&
                 std::all_of(text->begin() + 1, text->end(), [](char c) { return std::isxdigit(std::uint8_t(c)); });
    if (!valid) {
        error(node, 0, inQuotes("background") + " doit \xC3\xAAtre une couleur \"#RRVVBB\", "
                       "par exemple \"#5A5F96\"");
        return;
    }
    unsigned long rgb = std::stoul(text->substr(1), nullptr, 16);
    quiz_.red = std::uint8_t(rgb >> 16);
    quiz_.green = std::uint8_t(rgb >> 8);
    quiz_.blue = std::uint8_t(rgb);
}

void DescriptionReader::readProtect(const toml::node *node) {
    if (!node) return;
    if (!node->is_boolean()) {
        error(node, 0, inQuotes("protect") + " doit valoir true ou false");
        return;
    }
    quiz_.protect = *node->value<bool>();
}

void DescriptionReader::readCodes(const toml::node *node) {
    if (!node) return;
    const toml::array *codes = node->as_array();
    if (!codes) {
        error(node, 0, inQuotes("codes") + " doit \xC3\xAAtre une liste de textes : "
                       "le premier pour un point, le deuxi\xC3\xA8me pour deux\xE2\x80\xA6");
        return;
    }
    for (std::size_t k = 0; k < codes->size(); ++k) {
        std::string code;
        convertText(*codes->get(k), "le code " + std::to_string(k + 1) + " de " + inQuotes("codes"), 0,
                    code, true);
        quiz_.codes.push_back(code);
    }
}

void DescriptionReader::readHeader(const toml::table &root) {
    checkKeys(root, topLevelKeys, std::size(topLevelKeys), 0);
    readKind(root.get("kind"));
    if (!root.get("title"))
        error(nullptr, 0, inQuotes("title") + " manquant : le titre du quiz");
    readText(root, "title", 0, quiz_.title);
    readText(root, "author", 0, quiz_.author);
    readText(root, "explanation", 0, quiz_.explanation);
    readAnswers(root.get("answers"));
    readAnswerLabels(root.get("answer_labels"));
    readHintStyle(root.get("hints"));
    readBackground(root.get("background"));
    readProtect(root.get("protect"));
    readCodes(root.get("codes"));
    // A text row has no hint label: every style but 0 would do nothing there.
    if (hintStyleKnown_ && kindKnown_ && quiz_.hintStyle != 0 && quiz_.kind == quizText)
        error(root.get("hints"), 0, "un quiz texte ne montre pas d'indices : hints = \"aucun\" "
                                    "ou un quiz d'images, audio ou video");
    else if (hintStyleKnown_ && kindKnown_ && quiz_.hintStyle == 1 && quiz_.kind != quizPictures)
        error(root.get("hints"), 0, "le style d'indices \"image-reponse\" ne sert que dans un quiz d'images");
}

// Picture and media paths are relative to the description's folder.
bool DescriptionReader::readFileKey(const toml::table &table, const char *key, int question,
                                    std::string &path) {
    const toml::node *node = table.get(key);
    if (!node) return false;
    const std::string *relative = node->as_string() ? &node->as_string()->get() : nullptr;
    if (!relative || relative->empty()) {
        error(node, question, inQuotes(key) + " doit \xC3\xAAtre le chemin d'un fichier");
        return false;
    }
    std::filesystem::path full = (folder_ / std::filesystem::u8path(*relative)).lexically_normal();
    path = full.u8string();
    if (result_.files.count(path)) return true;
    std::vector<std::uint8_t> bytes;
    std::string problem;
    if (!readFileBytes(path, bytes, problem)) {
        error(node, question, inQuotes(key) + " : " + problem);
        return false;
    }
    result_.files[path] = std::move(bytes);
    return true;
}

void DescriptionReader::checkFiles(const toml::table &table, QuizQuestionDescription &question,
                                   int number) {
    std::string picture, answerPicture, media;
    bool hasPicture = readFileKey(table, "picture", number, picture);
    bool hasAnswerPicture = readFileKey(table, "answer_picture", number, answerPicture);
    bool hasMedia = readFileKey(table, "media", number, media);
    if (!kindKnown_) return;
    const toml::table *where = &table;
    auto present = [&](const char *key) { return table.get(key) != nullptr; };

    if (quiz_.kind == quizPictures) {
        if (present("media"))
            error(table.get("media"), number, "un quiz d'images n'a pas de " + inQuotes("media") +
                                                  " : l'image va dans " + inQuotes("picture"));
        if (!present("picture")) error(where, number, inQuotes("picture") + " manquant : l'image de la question");
        if (hasPicture && !pictureProblem(result_.files[picture]).empty())
            error(table.get("picture"), number, pictureProblem(result_.files[picture]) + " : " + picture);
        question.picture = picture;
    } else if (quiz_.kind == quizAudio || quiz_.kind == quizVideo) {
        if (present("picture"))
            error(table.get("picture"), number,
                  inQuotes("picture") + " : un quiz " + (quiz_.kind == quizAudio ? "audio" : "vid\xC3\xA9o") +
                      " n'a pas d'images ; le son ou le film va dans " + inQuotes("media"));
        if (!present("media")) error(where, number, inQuotes("media") + " manquant : le son ou le film de la question");
        if (hasMedia) {
            std::string problem = mediaProblem(result_.files[media], quiz_.kind);
            if (!problem.empty()) error(table.get("media"), number, problem + " : " + media);
        }
        question.picture = media;
    } else {
        for (const char *key : {"picture", "answer_picture", "media"})
            if (present(key))
                error(table.get(key), number, "un quiz texte ne montre ni image ni m\xC3\xA9" "dia : retirez " + inQuotes(key));
    }

    if (quiz_.kind != quizText && present("answer_picture")) {
        if (quiz_.kind != quizPictures)
            error(table.get("answer_picture"), number, inQuotes("answer_picture") + " ne sert que dans un quiz d'images");
        else if (hintStyleKnown_ && quiz_.hintStyle != 1 && quiz_.hintStyle != 3)
            error(table.get("answer_picture"), number,
                  inQuotes("answer_picture") + " ne sert qu'avec les styles d'indices "
                  "\"image-reponse\" (1) et \"indice-puis-image\" (3)");
        else if (hasAnswerPicture && !pictureProblem(result_.files[answerPicture]).empty())
            error(table.get("answer_picture"), number,
                  pictureProblem(result_.files[answerPicture]) + " : " + answerPicture);
    }
    if (quiz_.kind == quizPictures && hintStyleKnown_ && (quiz_.hintStyle == 1 || quiz_.hintStyle == 3) &&
        !present("answer_picture"))
        error(where, number, inQuotes("answer_picture") + " manquant : le style d'indices " +
                                 std::to_string(quiz_.hintStyle) + " montre l'image-r\xC3\xA9ponse");
    question.answerPicture = answerPicture;
}

void DescriptionReader::checkHint(const toml::table &table, const QuizQuestionDescription &question,
                                  int number) {
    // A text quiz with a hint style already has its one message.
    if (!hintStyleKnown_ || (kindKnown_ && quiz_.kind == quizText && quiz_.hintStyle != 0)) return;
    int style = quiz_.hintStyle;
    bool carried = style >= 1 && style <= 4;  // the styles whose stream carries hint texts
    if (table.get("hint") && !carried)
        error(table.get("hint"), number, inQuotes("hint") + " ne sert qu'avec les styles d'indices 1 \xC3\xA0 4 "
                                         "(\"indice\", \"indice-puis-image\", \"indices-a-la-fin\"...)");
    // Style 1 carries a text that the player never shows, so none is asked for.
    if (style >= 2 && style <= 4 && question.hint.empty() && !table.get("hint"))
        error(&table, number, inQuotes("hint") + " manquant : le style d'indices " +
                                  std::string(hintStyleWord(style)) + " montre un indice");
}

bool isBlank(const std::string &text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

void DescriptionReader::readQuestion(const toml::table &table, int number) {
    checkKeys(table, questionKeys, std::size(questionKeys), number);
    QuizQuestionDescription question;
    readText(table, "prompt", number, question.prompt);
    if (kindKnown_ && quiz_.kind == quizText && !table.get("prompt"))
        error(&table, number, inQuotes("prompt") + " manquant : le texte de la question");

    // An answer of spaces only can never be judged right.
    if (!table.get("answer"))
        error(&table, number, inQuotes("answer") + " manquant : la r\xC3\xA9ponse attendue");
    else if (readText(table, "answer", number, question.answer) && isBlank(question.answer))
        error(table.get("answer"), number, inQuotes("answer") + " est vide");

    // A two-answer text quiz already has its one message.
    bool refusedTwoAnswers = kindKnown_ && quiz_.kind == quizText && quiz_.answersPerQuestion == 2;
    if (refusedTwoAnswers) {
        readText(table, "second_answer", number, question.secondAnswer);
    } else if (quiz_.answersPerQuestion == 2) {
        if (!table.get("second_answer"))
            error(&table, number, inQuotes("second_answer") + " manquant : ce quiz attend deux r\xC3\xA9ponses par question");
        else if (readText(table, "second_answer", number, question.secondAnswer) && isBlank(question.secondAnswer))
            error(table.get("second_answer"), number, inQuotes("second_answer") + " est vide");
    } else if (table.get("second_answer")) {
        error(table.get("second_answer"), number,
              inQuotes("second_answer") + " demande answers = 2 en t\xC3\xAAte du fichier");
    }

    // A tile's answer box takes at most 128 characters; a longer answer could never be typed.
    if (kindKnown_ && quiz_.kind != quizText)
        for (const char *key : {"answer", "second_answer"}) {
            const std::string &text = std::string(key) == "answer" ? question.answer : question.secondAnswer;
            if (text.size() > tileAnswerLimit)
                error(table.get(key), number, inQuotes(key) + " est trop long pour une case de r\xC3\xA9ponse : " +
                                                  std::to_string(text.size()) + " caract\xC3\xA8res, " +
                                                  std::to_string(tileAnswerLimit) + " au plus");
        }

    readText(table, "hint", number, question.hint);
    checkHint(table, question, number);
    checkFiles(table, question, number);
    quiz_.questions.push_back(question);
}

void DescriptionReader::readQuestions(const toml::node *node) {
    const toml::array *questions = node ? node->as_array() : nullptr;
    if (node && !(questions && questions->is_array_of_tables())) {
        error(node, 0, "les questions s'\xC3\xA9" "crivent [[question]], une table par question");
        return;
    }
    if (!questions || questions->empty()) {
        error(nullptr, 0, "aucune question : ajoutez des tables [[question]]");
        return;
    }
    if (questions->size() > std::size_t(maxQuestions))
        error(questions->get(maxQuestions), 0,
              "trop de questions : " + std::to_string(questions->size()) + ", " +
                  std::to_string(maxQuestions) + " au plus");
    int number = 0;
    for (const toml::node &question : *questions) readQuestion(*question.as_table(), ++number);
}

void DescriptionReader::read(const toml::table &root) {
    readHeader(root);
    readQuestions(root.get("question"));
    if (quiz_.codes.size() > quiz_.questions.size() && !quiz_.questions.empty())
        error(root.get("codes"), 0,
              "plus de codes (" + std::to_string(quiz_.codes.size()) + ") que de questions (" +
                  std::to_string(quiz_.questions.size()) + ") : le code k est celui du score k");
}

}  // namespace

const char *quizKindWord(int kind) {
    switch (kind) {
    case quizText: return "texte";
    case quizPictures: return "images";
    case quizAudio: return "audio";
    case quizVideo: return "video";
    default: return nullptr;
    }
}

const char *hintStyleWord(int hintStyle) {
    return hintStyle >= 0 && hintStyle < int(std::size(hintStyleWords)) ? hintStyleWords[hintStyle] : nullptr;
}

QuizTomlResult parseQuizToml(const std::string &text, const std::string &path) {
    QuizTomlResult result;
    toml::table root;
    try {
        root = toml::parse(std::string_view(text), std::string_view(path));
    } catch (const toml::parse_error &problem) {
        const toml::source_position &at = problem.source().begin;
        result.errors.push_back(path + ":" + std::to_string(at.line) + ":" + std::to_string(at.column) +
                                ": erreur de syntaxe TOML : " + std::string(problem.description()));
        return result;
    }
    DescriptionReader(path, result).read(root);
    result.ok = result.errors.empty();
    return result;
}

QuizTomlResult readQuizToml(const std::string &path) {
    std::vector<std::uint8_t> bytes;
    std::string problem;
    if (!readFileBytes(path, bytes, problem)) {
        QuizTomlResult result;
        result.errors.push_back(path + ": " + problem);
        return result;
    }
    return parseQuizToml(std::string(bytes.begin(), bytes.end()), path);
}
