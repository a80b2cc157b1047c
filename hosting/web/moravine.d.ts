// <ruvo-moravine>: the Moravine pregnancy-dating control. Importing "@ruvo/moravine" defines the
// element; its WebAssembly core (moravine.wasm, beside the module unless
// RuvoMoravineElement.wasmUrl names another) is fetched when the first element connects.

/** How the EDD on view was found: by the LMP, a crown rump length, a biparietal diameter, a head
 * circumference or a derived gestation; empty while no EDD is on view. */
export type EddMethod = "lmp" | "crl" | "bpd" | "hc" | "derived" | "";

export interface EddChangeDetail {
  /** The EDD on view, "YYYY-MM-DD", or "" while none is. */
  edd: string;
  eddMethod: EddMethod;
}

export interface GestationChangeDetail {
  /** The gestation at birth on view in days, or -1 while none is. */
  gestationAtBirthDays: number;
}

export interface RuntimeErrorDetail {
  /** What ended the user's action, or what the element refused; the control stays usable. */
  message: string;
}

/** The record toFHIR gives: a FHIR R4 Bundle of Observations, typed as far as the control fills
 * it in. */
export interface FhirBundle {
  resourceType: "Bundle";
  type: "collection";
  entry: Array<{fullUrl: string; resource: FhirObservation}>;
}

export interface FhirObservation {
  resourceType: "Observation";
  status: "final";
  code: {coding: Array<{system: string; code: string; display: string}>};
  method?: {coding: Array<{system: string; code: string; display: string}>};
  subject?: {reference: string};
  /** "YYYY-MM-DD" */
  effectiveDateTime: string;
  valueDateTime?: string;
  valueQuantity?: {value: number; unit: string; system: string; code: string};
  derivedFrom?: Array<{reference: string}>;
}

export interface RuvoMoravineEventMap extends HTMLElementEventMap {
  "edd-change": CustomEvent<EddChangeDetail>;
  "gestation-change": CustomEvent<GestationChangeDetail>;
  "runtime-error": CustomEvent<RuntimeErrorDetail>;
}

/** The element's class, as customElements.get("ruvo-moravine") gives it. */
export declare class RuvoMoravineElement extends HTMLElement {
  static readonly formAssociated: true;
  static readonly observedAttributes: string[];
  /** Where the core is fetched from; set it before the first element connects. */
  static wasmUrl: string;

  /** The EDD on view, "YYYY-MM-DD", or "" while none is. */
  readonly edd: string;
  readonly eddMethod: EddMethod;
  /** The gestation at birth on view in days, or -1 while none is. */
  readonly gestationAtBirthDays: number;
  /** Resolves true once the control is on view, false when its core could not be loaded. */
  readonly ready: Promise<boolean>;

  /** The EDD on view, as the form submits it under the element's name. */
  readonly value: string;
  readonly form: HTMLFormElement | null;
  readonly labels: NodeListOf<HTMLLabelElement>;
  readonly validity: ValidityState;
  readonly validationMessage: string;
  readonly willValidate: boolean;
  readonly type: "ruvo-moravine";
  checkValidity(): boolean;
  reportValidity(): boolean;
  /** Reflect the attributes of the same names. */
  name: string;
  today: string;
  disabled: boolean;
  required: boolean;

  /** The display form of a date ("26 October 2006"): a Date (its local day) or "YYYY-MM-DD";
   * "" for an invalid date, one outside 1 January 100 to 31 December 9999, and until the core
   * has loaded. */
  datenice(date: Date | string): string;
  /** The gestation in days on a day (a Date's local day or "YYYY-MM-DD"), the EDD on view being
   * day 280: -1 while no EDD is on view or for anything but a day. Throws a RangeError for a day
   * before the pregnancy's start. */
  gestationOn(date: Date | string): number;
  /** The dating on view as the FHIR R4 record an EHR stores: a Bundle of type collection with
   * the EDD Observation, what it was derived from and the gestation at birth once on view, each
   * naming subject (a reference such as "Patient/123") when given; null while no EDD is on view.
   * Throws a TypeError for a subject that is no reference. */
  toFHIR(subject?: string): FhirBundle | null;

  addEventListener<K extends keyof RuvoMoravineEventMap>(
      type: K, listener: (this: RuvoMoravineElement, event: RuvoMoravineEventMap[K]) => unknown,
      options?: boolean | AddEventListenerOptions): void;
  addEventListener(type: string, listener: EventListenerOrEventListenerObject,
                   options?: boolean | AddEventListenerOptions): void;
  removeEventListener<K extends keyof RuvoMoravineEventMap>(
      type: K, listener: (this: RuvoMoravineElement, event: RuvoMoravineEventMap[K]) => unknown,
      options?: boolean | EventListenerOptions): void;
  removeEventListener(type: string, listener: EventListenerOrEventListenerObject,
                      options?: boolean | EventListenerOptions): void;
}

export default RuvoMoravineElement;

declare global {
  interface HTMLElementTagNameMap {
    "ruvo-moravine": RuvoMoravineElement;
  }
}
