#pragma once

// A processor in the test process's private home and an editor on it, created and deleted the
// way a host does (the processor knows its active editor).

#include "LineEditorAudioProcessor.h"
#include "LineEditorAudioProcessorEditor.h"
#include "TestHome.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace kalvo::test
{
inline std::unique_ptr<LineEditorAudioProcessor> makeEditorProcessor (float scale = 1.0f)
{
    temporaryHomeFolder();
    auto p = std::make_unique<LineEditorAudioProcessor>();
    p->scaling = scale;
    return p;
}

struct EditorDeleter
{
    void operator() (LineEditorAudioProcessorEditor* editor) const
    {
        editor->processor.editorBeingDeleted (editor);
        delete editor;
    }
};

using EditorPtr = std::unique_ptr<LineEditorAudioProcessorEditor, EditorDeleter>;

inline EditorPtr openEditor (LineEditorAudioProcessor& p)
{
    LineEditorAudioProcessor::editorFactory = &LineEditorAudioProcessorEditor::create;
    auto* editor = dynamic_cast<LineEditorAudioProcessorEditor*> (p.createEditorIfNeeded());
    LineEditorAudioProcessor::editorFactory = nullptr;
    EXPECT_NE (editor, nullptr);
    return EditorPtr (editor);
}

// Every per-state entry the window's knobs and curves could write, byte for byte.
inline std::vector<char> perStateEntries (LineEditorAudioProcessor& p)
{
    std::vector<char> bytes;
    const auto append = [&] (const auto& field)
    {
        const auto* begin = reinterpret_cast<const char*> (&field);
        bytes.insert (bytes.end(), begin, begin + sizeof (field));
    };
    append (p.lineLength());
    append (p.lineSync());
    append (p.bandGlide());
    append (p.bandMix());
    append (p.lmFreq());
    append (p.hmFreq());
    append (p.linePoints1());
    append (p.linePoints2());
    return bytes;
}
// Asks for a state through the "State" parameter, as the host or a click does.
inline void requestState (LineEditorAudioProcessor& p, int state)
{
    auto* parameter = p.parameters.getParameter ("State");
    parameter->setValueNotifyingHost (parameter->convertTo0to1 (static_cast<float> (state)));
}

// What the preset menu's "Rename Preset and Save" shows: the entry with this text and its two
// buttons in place of the preset bar's icons 1 to 4.
inline void openPresetEntry (LineEditorAudioProcessorEditor& e, const juce::String& typed)
{
    e.presetNameEntered = e.processorRef.getPresetName();
    e.presetNameEditor.setText (typed);
    for (auto* c :
         std::initializer_list<juce::Component*>{ &e.presetNameEditor, &e.saveButton, &e.cancelButton })
        c->setVisible (true);
    for (int k = 1; k <= 4; ++k)
        e.iconButtons[k].setVisible (false);
}
} // namespace kalvo::test
