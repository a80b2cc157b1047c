// The element's look: its style sheet, and the page's colours the control's own are resolved
// against. Loaded before the element's module code.

// The desktop scheme's colours by system colour number, as the page's CSS system colours show
// them (0 the scroll bar, 5 the window, 8 the window text, 15 the button face, ...).
const systemColorKeywords = [
    "Scrollbar", "Background", "ActiveCaption", "InactiveCaption", "Menu", "Window",
    "WindowFrame", "MenuText", "WindowText", "CaptionText", "ActiveBorder", "InactiveBorder",
    "AppWorkspace", "Highlight", "HighlightText", "ButtonFace", "ButtonShadow", "GrayText",
    "ButtonText", "InactiveCaptionText", "ButtonHighlight", "ThreeDDarkShadow",
    "ThreeDLightShadow", "InfoText", "InfoBackground", "ButtonFace", "LinkText", "ActiveCaption",
    "InactiveCaption", "Highlight", "Menu",
];

function pagePalette() {
    const probe = document.createElement("span");
    document.documentElement.append(probe);
    const palette = systemColorKeywords.map((keyword) => {
        probe.style.color = keyword;
        const [red, green, blue] = getComputedStyle(probe).color.match(/\d+/g).map(Number);
        return [red, green, blue];
    });
    probe.remove();
    return palette;
}

const style = `
:host { display: inline-block; position: relative; contain: content;
        font: 11px Arial, "Liberation Sans", Helvetica, sans-serif;
        color: ButtonText; background: ButtonFace; }
#surface { position: absolute; inset: 0; outline: none; }
.widget { position: absolute; box-sizing: border-box; margin: 0; }
fieldset.widget { border: none; padding: 0; min-width: 0; }
/* The legend's line grows with the font, and the frame's line meets it halfway down. */
fieldset > .line { position: absolute; inset: 0.55em 0 0 0; border: 2px groove ButtonFace;
                   pointer-events: none; }
fieldset > legend { position: absolute; top: 0; left: 6px; padding: 0 2px; line-height: 1.2em;
                    background: ButtonFace; white-space: nowrap; }
label.widget { display: flex; align-items: center; gap: 3px; white-space: nowrap; }
label.widget input { margin: 0 0 0 2px; }
.text { overflow-wrap: break-word; }
.centered { text-align: center; }
.bordered { border: 1px solid currentColor; }
output.widget { display: flex; align-items: center; justify-content: center; padding: 0 2px; }
/* The focus ring: ButtonText stands out from ButtonFace by 3:1 and more in light and dark
   schemes alike, where Chromium's Highlight does not on its dark face. It lies just outside the
   widget, on the surface, whatever the widget's own colours; a radio's hugs its circle, clear of
   the caption 3 pixels on. */
.widget:focus-visible, input:focus-visible {
    outline: 2px solid var(--ruvo-focus-color, ButtonText); outline-offset: 1px; }
input:focus-visible { outline-offset: 0; }
select.widget, button.widget { font: inherit; padding: 0 2px; }
/* A narrow drop-down part, so a year fits a list 49 pixels wide, all in the list's one colour. */
select.widget { appearance: none; padding-right: 13px; border: 1px solid ButtonShadow;
                background: ButtonFace no-repeat right 3px center / 7px 4px
                  url("data:image/svg+xml,%3Csvg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 7 4'%3E%3Cpath d='M0 0h7L3.5 4z'/%3E%3C/svg%3E"); }
select.widget:disabled { opacity: 0.6; }
img.widget { border: 2px inset ButtonFace; object-fit: none; background: Window; }
.disabled { color: GrayText; }
[hidden] { display: none !important; }
/* Read by assistive technology alone. */
#announcer, #font-probe { position: absolute; width: 1px; height: 1px; overflow: hidden;
                          clip-path: inset(50%); white-space: nowrap; }
#font-probe { width: 10em; height: 1em; }
`;
