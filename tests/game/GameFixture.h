// The game's tests: a game session per test, and the test's save files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "GameSession.h"
#include "Object/InstanceLifecycle.h"
#include "Support/SupportTestSupport.h"

class GameFixture : public ::testing::Test, protected GameSession {
protected:
    void SetUp() override { Begin(); }
    void TearDown() override { End(); }
    // The session ended and begun afresh on the same save folder, as a player starts the game again.
    void Restart() {
        End();
        Begin();
    }

    // The game started, then run `frames` frames (three reach the title).
    void Start(int frames = 0, GraphicsDevice* device = nullptr) {
        const std::string error = Load(device);
        ASSERT_EQ(error, "");
        RunFrames(frames);
    }

    // On to the title, then to a room with nothing in it yet (but the persistent player), with
    // a floor whose top is y = 160 when asked.
    void StartInAnEmptyRoom(bool floor = false) {
        Start(3);
        Call(nullptr, nullptr, FN_room_goto, Value(rmEmpty));
        RunFrames(1);
        if (floor) Place(oSnowBlock, 0, 160, 20, 2);
        ASSERT_NE(player_ = FirstOf(oChar), nullptr);
    }

    // An instance placed as a room places one: stretched before its Create runs.
    static CInstance* Place(int32_t object, double x, double y, double xscale = 1,
                            double yscale = 1, bool create = true) {
        CInstance* instance =
            AddInstance(*CurrentRoom(), LastInstanceId() + 1, object, float(x), float(y), 0);
        SetBuiltinVar(instance, VAR_image_xscale, Value(xscale));
        SetBuiltinVar(instance, VAR_image_yscale, Value(yscale));
        if (create) event_perform(instance, instance, ev_create, 0);
        return instance;
    }

    // A script run by the input controller, as the game's objects run them.
    template <typename... Args>
    static Value Run(ScriptFunction script, const Args&... args) {
        return CallScript(script, FirstOf(oInput), FirstOf(oInput), Value(args)...);
    }
    // What Mireth landing on `target` does (the hurt script, as her collision calls it).
    static void Stomp(CInstance* player, CInstance* target) {
        CallScript(psl_Script_hurt, target, player, BuiltinVar(target, VAR_id), BuiltinVar(player, VAR_id));
    }
    static int Count(int32_t object) { return int(Real(Builtin("instance_number", Value(object)))); }
    // Presses and lets go of a key, a frame each, `times` over.
    void Tap(int32_t key, int times = 1) {
        for (int i = 0; i < times; ++i) {
            window_.PostKey(key, true);
            RunFrames(1);
            window_.PostKey(key, false);
            RunFrames(1);
        }
    }
    // The game started over a progress save, in the saved room.
    void StartSaved(const std::string& save, int32_t room) {
        ASSERT_EQ(LoadSaved(save, room), "");
        ASSERT_EQ(Runner().current_room, room);
        ASSERT_NE(player_ = FirstOf(oChar), nullptr);
    }

    // Each binding of an action as "kind:input[:value]", or with `named` as the game names it.
    static std::string Bindings(int action, bool named = false) {
        CInstance* input = FirstOf(oInput);
        const Value list = Call(input, input, FN_ds_map_find_value, Var(input, SLOT_actions), Value(std::to_string(action)));
        std::string text;
        for (double b = 0; b < Real(Call(input, input, FN_ds_list_size, list)); ++b) {
            const Value binding = Call(input, input, FN_ds_list_find_value, list, Value(b));
            if (b) text += named ? ", " : " ";
            if (named) text += ValueText(Run(psl_Script_input_string, binding));
            for (double e = 0; !named && e < Real(Call(input, input, FN_ds_list_size, binding)); ++e)
                text += (e ? ":" : "") + ValueText(Call(input, input, FN_ds_list_find_value, binding, Value(e)));
        }
        return text;
    }

    // A file in the test's save folder, written before Start or read after a save (once the save
    // writer has finished, as a player's next start would find it).
    void WriteSaveFile(const std::string& name, const std::string& text) { WriteText(save_.Path() + name, text); }
    std::string ReadSaveFile(const std::string& name) const {
        Saves().Drain();
        return ReadText(save_.Path() + name);
    }
    bool SaveFileExists(const std::string& name) const {
        Saves().Drain();
        return std::filesystem::exists(save_.Path() + name);
    }

    CInstance* player_ = nullptr; // Mireth, once a start above has found her
};
